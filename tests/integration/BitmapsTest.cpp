// The bitmaps are drawn by the build's generator and reach the program through the Qt resources;
// these tests read them the way the windows do.
#include <QFile>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

#include "app/Bitmaps.h"
#include "platform/qt/BitmapStore.h"

using vantorel::qt::loadBitmap;
using vantorel::qt::loadDesignPicture;

namespace {

QImage image(int id) {
    return loadBitmap(id).toImage().convertToFormat(QImage::Format_RGB32);
}

quint32 littleEndian(const QByteArray& bytes, int at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

// A row or column of pixels; `at` below zero counts from the far side.
struct Line {
    int id;
    enum { Row, Column } axis;
    int at;
    int from;
    int count;
};

std::vector<QRgb> pixels(const Line& line) {
    const QImage img = image(line.id);
    std::vector<QRgb> out;
    if (img.isNull()) return out;
    const int extent = line.axis == Line::Row ? img.height() : img.width();
    const int at = line.at < 0 ? extent + line.at : line.at;
    for (int i = line.from; i < line.from + line.count; ++i)
        out.push_back(line.axis == Line::Row ? img.pixel(i, at) : img.pixel(at, i));
    return out;
}

TEST(Bitmaps, EveryNumberLoadsWithItsSize) {
    for (const vantorel::BitmapInfo& info : vantorel::kBitmaps) {
        SCOPED_TRACE(info.id);
        const QPixmap pixmap = loadBitmap(info.id);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.width(), info.width);
        EXPECT_EQ(pixmap.height(), info.height);
        EXPECT_GE(pixmap.depth(), 24);
        EXPECT_FALSE(pixmap.hasAlphaChannel());
    }
}

TEST(Bitmaps, FilesAreUncompressed24BitBmps) {
    for (const vantorel::BitmapInfo& info : vantorel::kBitmaps) {
        SCOPED_TRACE(info.id);
        QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(info.id));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(54);
        ASSERT_EQ(header.size(), 54);
        EXPECT_TRUE(header.startsWith("BM"));
        EXPECT_EQ(littleEndian(header, 18, 4), quint32(info.width));
        EXPECT_EQ(qAbs(qint32(littleEndian(header, 22, 4))), info.height);
        EXPECT_EQ(littleEndian(header, 28, 2), 24u);  // bits per pixel
        EXPECT_EQ(littleEndian(header, 30, 4), 0u);   // BI_RGB
    }
}

TEST(Bitmaps, UnknownNumbersAndNamesGiveNullPixmaps) {
    for (int id : {0, -1, 100, 112, 117, 155, 999, 1005, 1010, 1014}) {
        ASSERT_EQ(vantorel::findBitmap(id), nullptr) << id;
        EXPECT_TRUE(loadBitmap(id).isNull()) << id;
    }
    for (const char* name : {"", "101", "up_arrow.bmp", "UP_ARROW", "../bitmaps/101", "tray"})
        EXPECT_TRUE(loadDesignPicture(QString::fromLatin1(name)).isNull()) << name;
}

TEST(Bitmaps, DesignPicturesLoadWithTheirSizes) {
    const struct {
        const char* name;
        int width;
        int height;
    } pictures[] = {{"up_arrow", 11, 10}, {"down_arrow", 11, 10}, {"tray_icon", 16, 16}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QPixmap pixmap = loadDesignPicture(QString::fromLatin1(picture.name));
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.width(), picture.width);
        EXPECT_EQ(pixmap.height(), picture.height);
    }
}

// Red up, green down, on the white result frame: a swap would invert every quote.
TEST(Bitmaps, ChangeArrowsPointAndColourTheRightWay) {
    for (const bool up : {true, false}) {
        SCOPED_TRACE(up ? "up_arrow" : "down_arrow");
        const QImage img = loadDesignPicture(QString::fromLatin1(up ? "up_arrow" : "down_arrow"))
                               .toImage()
                               .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
        const QRgb middle = img.pixel(img.width() / 2, img.height() / 2);
        EXPECT_EQ(qRed(middle) > qGreen(middle), up);
        auto inked = [&img](int y) {
            int n = 0;
            for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != qRgb(255, 255, 255);
            return n;
        };
        // The point is narrower than the stem.
        EXPECT_EQ(inked(0) < inked(img.height() - 1), up);
    }
}

TEST(Bitmaps, BackgroundIsTheSkinsDarkGrey) {
    EXPECT_EQ(image(150).pixel(0, 0), qRgb(38, 38, 38));
    EXPECT_EQ(pixels({102, Line::Row, 0, 120, 1}), pixels({150, Line::Row, 0, 0, 1}));
}

// Neighbouring slices of the window and popup frames must meet in equal pixels, or the stretched
// frame shows a seam along the whole join.
TEST(Bitmaps, FrameSlicesJoinWithoutSeams) {
    const int title = 26;
    const struct {
        const char* join;
        Line a;
        Line b;
    } joins[] = {
        {"146 | 147", {146, Line::Column, -1, 0, title}, {147, Line::Column, 0, 0, title}},
        {"1012 | 147", {1012, Line::Column, -1, 0, title}, {147, Line::Column, 0, 0, title}},
        {"1013 | 147", {1013, Line::Column, -1, 0, title}, {147, Line::Column, 0, 0, title}},
        {"147 | 148", {147, Line::Column, 0, 0, title}, {148, Line::Column, 0, 0, title}},
        {"146 over 149", {146, Line::Row, -1, 0, 4}, {149, Line::Row, 0, 0, 4}},
        {"148 over 151", {148, Line::Row, -1, 0, 4}, {151, Line::Row, 0, 0, 4}},
        {"149 over 152", {149, Line::Row, 0, 0, 4}, {152, Line::Row, 0, 0, 4}},
        {"151 over 154", {151, Line::Row, 0, 0, 4}, {154, Line::Row, 0, 0, 4}},
        {"152 | 153", {152, Line::Column, -1, 0, 4}, {153, Line::Column, 0, 0, 4}},
        {"153 | 154", {153, Line::Column, 0, 0, 4}, {154, Line::Column, 0, 0, 4}},
        {"141 over 102, left", {141, Line::Row, -1, 0, 4}, {102, Line::Row, 0, 0, 4}},
        {"141 over 102, right", {141, Line::Row, -1, 236, 4}, {102, Line::Row, 0, 236, 4}},
        {"1011 over 102, left", {1011, Line::Row, -1, 0, 4}, {102, Line::Row, 0, 0, 4}},
        {"1011 over 102, right", {1011, Line::Row, -1, 236, 4}, {102, Line::Row, 0, 236, 4}},
        {"102 over 103, left", {102, Line::Row, 0, 0, 4}, {103, Line::Row, 0, 0, 4}},
        {"102 over 103, right", {102, Line::Row, 0, 236, 4}, {103, Line::Row, 0, 236, 4}},
    };
    for (const auto& j : joins) {
        SCOPED_TRACE(j.join);
        const std::vector<QRgb> a = pixels(j.a);
        ASSERT_EQ(a.size(), std::size_t(j.a.count));
        EXPECT_EQ(a, pixels(j.b));
    }
}

// Minimise, close and menu sit on the title bar at y = 2; their edges must be the title bar.
TEST(Bitmaps, CaptionButtonsBlendIntoTheTitleBar) {
    const std::vector<QRgb> titleBar = pixels({147, Line::Column, 0, 2, 24});
    for (int id = 106; id <= 111; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(pixels({id, Line::Column, 0, 0, 24}), titleBar);
        EXPECT_EQ(pixels({id, Line::Column, -1, 0, 24}), titleBar);
    }
}

// The title images run under the minimise button (x = W - 66); no caption may reach it.
TEST(Bitmaps, TitleTextStaysLeftOfTheCaptionButtons) {
    const std::vector<QRgb> titleBar = pixels({147, Line::Column, 0, 0, 26});
    for (int id : {146, 1012, 1013}) {
        SCOPED_TRACE(id);
        for (int x = 170; x < 230; ++x)
            ASSERT_EQ(pixels({id, Line::Column, x, 0, 26}), titleBar) << "x = " << x;
    }
}

}  // namespace
