#include "Paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

#include <cstdio>

#include "Palette.h"

namespace artgen {

using namespace palette;

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QColor mix(const QColor& from, const QColor& to, double t) {
    auto channel = [t](int a, int b) { return qRound(a + (b - a) * t); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

QFont uiFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Droid Sans Fallback")});
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Unhinted outlines keep the glyphs identical whatever the host's font configuration says.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

Brush::Brush(QImage* image) : QPainter(image) {
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
    setRenderHint(QPainter::SmoothPixmapTransform);
}

int drawText(QPainter& p, const QRectF& box, int flags, const QString& text, const QFont& font,
             const QColor& colour) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    QRectF used;
    p.drawText(box, flags, text, &used);
    p.restore();
    // Qt lays text that is too wide over the box's edges; in a bitmap that means cut glyphs. (The
    // line box is taller than the ink, so only the width says anything.)
    if (used.width() > box.width() + 0.5)
        std::fprintf(stderr, "vantorel-artgen: \"%s\" is wider than its %g px\n", qPrintable(text),
                     box.width());
    return qCeil(used.width());
}

namespace {

// Title band colours by row: outline, highlight, face, and the line that separates it from the
// body.
QColor titleRow(int y) {
    if (y == 0) return kEdge;
    if (y == 1) return kFrameLight;
    if (y == kTitleHeight - 1) return kInset;
    return kFrame;
}

// A 9×9 round-rect clip cuts the outer pixels of each corner. The outline fills everything outside
// a smaller rounded interior, so whichever pixels a clip of about that size keeps, the silhouette
// is outline and never shows a gap or a dark speck. true = outline.
constexpr bool kCorner[kBorder][kBorder] = {
    {true, true, true, true},
    {true, true, true, false},
    {true, true, false, false},
    {true, false, false, false},
};

void roundCorners(QImage& image) {
    const int w = image.width();
    const int h = image.height();
    const QRgb edge = kEdge.rgb();
    for (int r = 0; r < kBorder; ++r) {
        for (int c = 0; c < kBorder; ++c) {
            if (!kCorner[r][c]) continue;
            image.setPixel(c, r, edge);
            image.setPixel(w - 1 - c, r, edge);
            image.setPixel(c, h - 1 - r, edge);
            image.setPixel(w - 1 - c, h - 1 - r, edge);
        }
    }
}

}  // namespace

QImage windowFrame(int width, int height) {
    const int w = width;
    const int h = height;
    QImage image = canvas(w, h, kBackground);
    {
        QPainter p(&image);  // pixel-exact rectangles only, no antialiasing
        for (int y = 0; y < kTitleHeight; ++y) p.fillRect(0, y, w, 1, titleRow(y));
        p.fillRect(0, kTitleHeight, kBorder, h - kTitleHeight, kFrame);
        p.fillRect(w - kBorder, kTitleHeight, kBorder, h - kTitleHeight, kFrame);
        p.fillRect(0, h - kBorder, w, kBorder, kFrame);

        // The inset line runs around the body as one rectangle; the title's bottom row is its top.
        const int in = kBorder - 1;
        p.fillRect(1, kTitleHeight - 1, in - 1, 1, kFrame);
        p.fillRect(w - in, kTitleHeight - 1, in - 1, 1, kFrame);
        p.fillRect(in, kTitleHeight - 1, 1, h - kTitleHeight - in + 1, kInset);
        p.fillRect(w - 1 - in, kTitleHeight - 1, 1, h - kTitleHeight - in + 1, kInset);
        p.fillRect(in, h - 1 - in, w - 2 * in, 1, kInset);

        p.fillRect(0, 0, 1, h, kEdge);
        p.fillRect(w - 1, 0, 1, h, kEdge);
        p.fillRect(0, h - 1, w, 1, kEdge);
    }
    roundCorners(image);
    return image;
}

QImage titleBackdrop(int width, int height, int top) {
    QImage image = canvas(width, height, kFrame);
    QPainter p(&image);
    for (int y = 0; y < height; ++y) p.fillRect(0, y, width, 1, titleRow(top + y));
    return image;
}

void drawEmblem(QPainter& p, const QRectF& rect) {
    p.save();
    p.translate(rect.topLeft());
    const double s = rect.width();
    QLinearGradient face(0, 0, s, rect.height());
    face.setColorAt(0, kAccent.lighter(112));
    face.setColorAt(1, kAccentDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0, 0, s, rect.height()), s * 0.22, s * 0.22);

    // Faint volume bars behind a rising price line.
    p.setBrush(QColor(255, 255, 255, 48));
    const double bar = s * 0.1;
    const double heights[] = {0.22, 0.34, 0.28, 0.46};
    for (int i = 0; i < 4; ++i) {
        const double x = s * (0.2 + 0.17 * i);
        const double top = s * (0.84 - heights[i]);
        p.drawRect(QRectF(x, top, bar, s * 0.84 - top));
    }
    QPainterPath line;
    line.moveTo(s * 0.16, s * 0.66);
    line.lineTo(s * 0.38, s * 0.46);
    line.lineTo(s * 0.54, s * 0.58);
    line.lineTo(s * 0.8, s * 0.27);
    QPen pen(Qt::white, qMax(1.4, s * 0.085), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.restore();
}

void drawCross(QPainter& p, const QRectF& rect, const QColor& colour, double penWidth) {
    p.save();
    p.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(rect.topLeft(), rect.bottomRight());
    p.drawLine(rect.topRight(), rect.bottomLeft());
    p.restore();
}

}  // namespace artgen
