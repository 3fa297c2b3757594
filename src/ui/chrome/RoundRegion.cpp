#include "ui/chrome/RoundRegion.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vantorel {

namespace {

// Far beyond any window; keeps a nonsense size from allocating millions of rows.
constexpr int kLimit = 1 << 16;

struct Span {
    int left, right;  // right exclusive
};

}  // namespace

std::vector<QRect> roundRectSpans(const RoundRegion& r) {
    int left = 0, top = 0;
    int right = std::clamp(r.right, -kLimit, kLimit);
    int bottom = std::clamp(r.bottom, -kLimit, kLimit);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    --right;
    --bottom;

    std::vector<QRect> rows;
    if (right <= left || bottom <= top) return rows;
    rows.reserve(static_cast<size_t>(bottom - top));

    const int ew = static_cast<int>(
        std::min<std::int64_t>(right - left, std::abs(static_cast<std::int64_t>(r.ellipseWidth))));
    const int eh = static_cast<int>(
        std::min<std::int64_t>(bottom - top, std::abs(static_cast<std::int64_t>(r.ellipseHeight))));
    if (ew < 2 || eh < 2) {
        for (int y = top; y < bottom; ++y) rows.emplace_back(left, y, right - left, 1);
        return rows;
    }

    // Rows of the lower half of the ellipse (index eh / 2 .. eh - 1), walked with Zingl's
    // integer ellipse algorithm the way GDI does; the upper half mirrors them. The walk stops at
    // the widest column, so on a tall narrow ellipse it can end before the last rows: those get
    // the final, narrowest span (GDI leaves them undefined).
    std::vector<Span> half(static_cast<size_t>(eh), Span{left, right});
    const std::int64_t a = ew - 1, b = eh - 1;
    const std::int64_t asq = 8 * a * a, bsq = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + (b % 2));
    std::int64_t err = dx + dy + a * a * (b % 2);
    int x = 0;
    int y = eh / 2;
    while (x <= ew / 2 && y < eh - 1) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += bsq;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += asq;
            err += dy;
            half[static_cast<size_t>(y)] = {left + x, right - x};
        }
    }
    while (++y < eh) half[static_cast<size_t>(y)] = {left + x, right - x};

    const int upperRows = eh / 2;                 // rows top .. top + eh/2 - 1 use mirrored spans
    const int lowerStart = bottom - eh + eh / 2;  // last row of the full-width band
    for (int row = top; row < bottom; ++row) {
        Span s{left, right};
        if (row < top + upperRows)
            s = half[static_cast<size_t>(b - (row - top))];
        else if (row > lowerStart)
            s = half[static_cast<size_t>(row - (bottom - eh))];
        // A tall narrow ellipse can pinch its tip row to nothing.
        if (s.right > s.left) rows.emplace_back(s.left, row, s.right - s.left, 1);
    }
    return rows;
}

}  // namespace vantorel
