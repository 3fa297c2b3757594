#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace artgen {

inline constexpr int kTitleHeight = 26;
inline constexpr int kBorder = 4;

// An opaque picture filled with one colour; drawing happens in RGB32, saving converts to RGB888.
QImage canvas(int width, int height, const QColor& fill);

QColor mix(const QColor& from, const QColor& to, double t);

// The skin's face: Noto Sans CJK SC, with Qt's per-glyph fallback when it is missing.
QFont uiFont(int pixelSize, bool bold = false);

// Painter for shapes and text with antialiasing on.
class Brush : public QPainter {
  public:
    explicit Brush(QImage* image);
};

// Text inside box, aligned by flags; returns the width the text took.
int drawText(QPainter& p, const QRectF& box, int flags, const QString& text, const QFont& font,
             const QColor& colour);

// The complete window frame at width × height (title band, borders, bottom edge, rounded
// corners, body). Every frame slice is cut from it, which is what makes the slices meet exactly.
QImage windowFrame(int width, int height);

// Title band rows of the frame, without corners, at any width: the backdrop for title images
// and the caption buttons (rows top..top+height-1 of the band).
QImage titleBackdrop(int width, int height, int top);

// Vantorel's emblem (rounded tile with a rising chart) in rect.
void drawEmblem(QPainter& p, const QRectF& rect);

// A thin X inside rect.
void drawCross(QPainter& p, const QRectF& rect, const QColor& colour, double penWidth);

}  // namespace artgen
