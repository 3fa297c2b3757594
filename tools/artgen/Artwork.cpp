#include "Artwork.h"

#include "Paint.h"
#include "Palette.h"

namespace artgen {

using namespace palette;

namespace {

// Frame slices are cut where the window repeats them: a middle column of the title band, a row
// halfway down the borders, the last rows for the bottom edge.
constexpr int kMidX = kWindowWidth / 2;
constexpr int kMidY = kWindowHeight / 2;
constexpr int kRight = kWindowWidth - kBorder;
constexpr int kBottom = kWindowHeight - kBorder;

}  // namespace

const std::vector<Bitmap>& bitmaps() {
    static const std::vector<Bitmap> table{
        {101,
         [] {
             return titleImage(240, {QStringLiteral("2024"), kTextDim});
         }},
        {102, [] { return popupSlice(0, kPopupHeight / 2, kWindowWidth, 1); }},
        {103, [] { return popupSlice(0, kPopupHeight - kBorder, kWindowWidth, kBorder); }},
        {104, [] { return thinLine(233, 2); }},
        {105, [] { return windowSlice(0, kMidY, 2, 3); }},
        {106, [] { return captionButton(CaptionGlyph::Menu, false); }},
        {107, [] { return captionButton(CaptionGlyph::Menu, true); }},
        {108, [] { return captionButton(CaptionGlyph::Minimise, false); }},
        {109, [] { return captionButton(CaptionGlyph::Minimise, true); }},
        {110, [] { return captionButton(CaptionGlyph::Close, false); }},
        {111, [] { return captionButton(CaptionGlyph::Close, true); }},
        {118, [] { return folderPlus(); }},
        {119, [] { return smallCross(kFrame, QColor(150, 150, 150)); }},
        {120, [] { return logo(); }},
        {121, [] { return pushButton(QStringLiteral("立即登录"), Tone::Accent, false); }},
        {122, [] { return pushButton(QStringLiteral("立即登录"), Tone::Accent, true); }},
        {123, [] { return swatch(false); }},
        {124, [] { return swatch(true); }},
        {125, [] { return pushButton(QStringLiteral("取消登录"), Tone::Neutral, false); }},
        {126, [] { return pushButton(QStringLiteral("取消登录"), Tone::Neutral, true); }},
        {127, [] { return toolButton(ToolIcon::Magnifier, 38, false); }},
        {128, [] { return toolButton(ToolIcon::Magnifier, 38, true); }},
        {129, [] { return toolButton(ToolIcon::Folder, 38, false); }},
        {130, [] { return toolButton(ToolIcon::Folder, 38, true); }},
        {131, [] { return toolButton(ToolIcon::Document, 38, false); }},
        {132, [] { return toolButton(ToolIcon::Document, 38, true); }},
        {133, [] { return indexButton(QStringLiteral("沪"), true); }},
        {134, [] { return indexButton(QStringLiteral("沪"), false); }},
        {135, [] { return indexButton(QStringLiteral("深"), true); }},
        {136, [] { return indexButton(QStringLiteral("深"), false); }},
        {137, [] { return pushButton(QStringLiteral("取消查询"), Tone::Neutral, false); }},
        {138, [] { return pushButton(QStringLiteral("取消查询"), Tone::Neutral, true); }},
        {139, [] { return smallCross(kPaper, Qt::black); }},
        {140, [] { return smallCross(kFrame, QColor(240, 240, 240)); }},
        {141, [] { return popupTitle(QStringLiteral("系统消息")); }},
        {142, [] { return toolButton(ToolIcon::Question, 37, false); }},
        {143, [] { return toolButton(ToolIcon::Question, 37, true); }},
        {144, [] { return toolButton(ToolIcon::Exchange, 37, false); }},
        {145, [] { return toolButton(ToolIcon::Exchange, 37, true); }},
        {146, [] { return titleImage(230); }},
        {147, [] { return windowSlice(kMidX, 0, 1, kTitleHeight); }},
        {148, [] { return windowSlice(kRight, 0, kBorder, kTitleHeight); }},
        {149, [] { return windowSlice(0, kMidY, kBorder, 1); }},
        {150, [] { return windowSlice(kMidX, kMidY, 1, 1); }},
        {151, [] { return windowSlice(kRight, kMidY, kBorder, 1); }},
        {152, [] { return windowSlice(0, kBottom, kBorder, kBorder); }},
        {153, [] { return windowSlice(kMidX, kBottom, 1, kBorder); }},
        {154, [] { return windowSlice(kRight, kBottom, kBorder, kBorder); }},
        {1000, [] { return lightCell(0); }},
        {1001, [] { return lightCell(1); }},
        {1002, [] { return lightCell(2); }},
        {1003, [] { return lightCell(3); }},
        {1004, [] { return lightCell(4); }},
        {1011, [] { return popupTitle({}); }},
        {1012,
         [] {
             return titleImage(230, {QStringLiteral("正在登录"), kCaution});
         }},
        {1013,
         [] {
             return titleImage(230, {QStringLiteral("在线分析"), kAccentText});
         }},
    };
    return table;
}

const std::vector<DesignPicture>& designPictures() {
    static const std::vector<DesignPicture> table{
        {QStringLiteral("up_arrow.bmp"), 11, 10, [] { return trendArrow(true); }},
        {QStringLiteral("down_arrow.bmp"), 11, 10, [] { return trendArrow(false); }},
        {QStringLiteral("tray_icon.png"), 16, 16, [] { return trayIcon(); }},
    };
    return table;
}

}  // namespace artgen
