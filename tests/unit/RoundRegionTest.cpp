#include "ui/chrome/RoundRegion.h"

#include <gtest/gtest.h>

#include <map>

using vantorel::roundRectSpans;
using vantorel::RoundRegion;

namespace {

// [first, last] pixel columns of each row, for readable expectations.
std::vector<std::pair<int, int>> columns(const std::vector<QRect>& rows) {
    std::vector<std::pair<int, int>> out;
    for (const QRect& r : rows) out.emplace_back(r.left(), r.right());
    return out;
}

}  // namespace

TEST(RoundRegion, LoginWindowCornersAreCutAndRightBottomEdgesLeftOut) {
    // The 240 x 570 pixel window asks for CreateRoundRectRgn(0, 0, 241, 571, 9, 9).
    const auto rows = roundRectSpans({241, 571, 9, 9});
    ASSERT_EQ(rows.size(), 570u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].top(), static_cast<int>(i));
        EXPECT_EQ(rows[i].height(), 1);
    }
    const auto cols = columns(rows);
    const std::vector<std::pair<int, int>> top{{3, 236}, {1, 238}, {1, 238}, {0, 239}};
    EXPECT_EQ(std::vector(cols.begin(), cols.begin() + 4), top);
    const std::vector<std::pair<int, int>> bottom{{0, 239}, {1, 238}, {1, 238}, {3, 236}};
    EXPECT_EQ(std::vector(cols.end() - 4, cols.end()), bottom);
    for (int y = 3; y <= 566; ++y) EXPECT_EQ(cols[y], (std::pair{0, 239})) << "row " << y;
}

TEST(RoundRegion, SmallBoxIsTheWholeEllipse) {
    // 9 x 9 pixels from (0, 0, 10, 10); an ellipse larger than the box is clamped to it.
    const std::vector<std::pair<int, int>> want{{3, 5}, {1, 7}, {1, 7}, {0, 8}, {0, 8},
                                                {0, 8}, {1, 7}, {1, 7}, {3, 5}};
    EXPECT_EQ(columns(roundRectSpans({10, 10, 9, 9})), want);
    EXPECT_EQ(columns(roundRectSpans({10, 10, 400, -400})), want);
}

TEST(RoundRegion, EveryShapeIsSymmetricConvexAndInsideTheBox) {
    for (int w = 2; w <= 40; w += 3)
        for (int h = 2; h <= 40; h += 5)
            for (int ew = 0; ew <= 44; ew += 4)
                for (int eh = 0; eh <= 44; eh += 3) {
                    SCOPED_TRACE(testing::Message() << w << "x" << h << " " << ew << "x" << eh);
                    const auto rows = roundRectSpans({w, h, ew, eh});
                    // Row y's span, or nothing when the ellipse pinched the row away.
                    std::map<int, QRect> at;
                    for (const QRect& r : rows) {
                        ASSERT_EQ(r.height(), 1);
                        ASSERT_TRUE(at.emplace(r.top(), r).second);
                    }
                    const int n = h - 1;
                    for (const auto& [y, r] : at) {
                        ASSERT_GE(y, 0);
                        ASSERT_LT(y, n);
                        ASSERT_GE(r.left(), 0);
                        ASSERT_LE(r.right(), w - 2);
                        ASSERT_GT(r.width(), 0);
                        // Mirror images left to right and top to bottom.
                        ASSERT_EQ(r.left(), w - 2 - r.right());
                        ASSERT_TRUE(at.count(n - 1 - y));
                        ASSERT_EQ(r.left(), at[n - 1 - y].left());
                        // The cut only shrinks towards the middle, without gaps.
                        if (y > 0 && y <= n / 2) {
                            ASSERT_TRUE(at.count(y - 1) == 0 || at[y - 1].left() >= r.left());
                        }
                    }
                    ASSERT_TRUE(at.count(n / 2));
                    ASSERT_EQ(at[n / 2].left(), 0);
                }
}

TEST(RoundRegion, DegenerateInputs) {
    // Below 2 pixels of ellipse the region is the plain rectangle.
    const auto square = roundRectSpans({5, 4, 1, 30});
    ASSERT_EQ(square.size(), 3u);
    for (const QRect& r : square) EXPECT_EQ(r.width(), 4);

    EXPECT_TRUE(roundRectSpans({0, 0, 9, 9}).empty());
    EXPECT_TRUE(roundRectSpans({1, 50, 9, 9}).empty());
    EXPECT_TRUE(roundRectSpans({50, 1, 9, 9}).empty());
    // Reversed corners are swapped first, as GDI does: (-6..0) then the edge is dropped.
    const auto flipped = roundRectSpans({-6, -3, 0, 0});
    ASSERT_EQ(flipped.size(), 2u);
    EXPECT_EQ(flipped[0], QRect(-6, -3, 5, 1));
    // Absurd sizes are bounded instead of allocating without end.
    EXPECT_LE(roundRectSpans({1 << 30, 1 << 30, 9, 9}).size(), 70000u);
}
