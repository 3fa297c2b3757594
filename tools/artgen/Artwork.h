#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace artgen {

struct Bitmap {
    int id;
    std::function<QImage()> draw;
};

struct DesignPicture {
    QString file;  // name with extension: "up_arrow.bmp"
    int width;
    int height;
    std::function<QImage()> draw;
};

// Every numbered bitmap, in the order of vantorel::kBitmaps.
const std::vector<Bitmap>& bitmaps();
const std::vector<DesignPicture>& designPictures();

// --- window chrome (Chrome.cpp)
inline constexpr int kWindowWidth = 240;
inline constexpr int kWindowHeight = 570;
inline constexpr int kPopupHeight = 180;

QImage windowSlice(int x, int y, int width, int height);  // cut from the main window frame
QImage popupSlice(int x, int y, int width, int height);   // cut from the message popup frame

struct Caption {
    QString text;
    QColor colour;
};
// Title image of the given width (230 or the full 240) with emblem, product name and an optional
// second caption.
QImage titleImage(int width, const Caption& caption = {});
QImage popupTitle(const QString& text);

enum class CaptionGlyph { Menu, Minimise, Close };
QImage captionButton(CaptionGlyph glyph, bool hot);

QImage thinLine(int width, int height);

// --- controls (Controls.cpp)
enum class Tone { Accent, Neutral };
QImage pushButton(const QString& label, Tone tone, bool hot);

enum class ToolIcon { Magnifier, Folder, Document, Question, Exchange };
QImage toolButton(ToolIcon icon, int size, bool selected);

QImage indexButton(const QString& glyph, bool enabled);
QImage lightCell(int level);  // 0 dark … 4 brightest
QImage smallCross(const QColor& backdrop, const QColor& colour);
QImage folderPlus();
QImage swatch(bool shaded);

// --- pictures (Pictures.cpp)
QImage logo();
QImage trendArrow(bool up);
QImage trayIcon();

}  // namespace artgen
