#include <QLinearGradient>
#include <QPainterPath>

#include "Artwork.h"
#include "Paint.h"
#include "Palette.h"

namespace artgen {

using namespace palette;

QImage pushButton(const QString& label, Tone tone, bool hot) {
    constexpr int kWidth = 77;
    constexpr int kHeight = 30;
    QImage image = canvas(kWidth, kHeight, kBackground);
    Brush p(&image);
    QLinearGradient face(0, 0, 0, kHeight);
    QColor border;
    QColor ink = kText;
    if (tone == Tone::Accent) {
        const QColor top = hot ? kAccent.lighter(118) : kAccent;
        face.setColorAt(0, top);
        face.setColorAt(1, mix(top, kAccentDeep, 0.55));
        border = mix(kAccentDeep, kBackground, 0.2);
        ink = Qt::white;
    } else {
        const QColor top = hot ? QColor(74, 74, 74) : QColor(62, 62, 62);
        face.setColorAt(0, top);
        face.setColorAt(1, top.darker(112));
        border = hot ? kAccent : QColor(86, 86, 86);
        if (hot) ink = Qt::white;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), 3.5, 3.5);
    drawText(p, QRectF(0, 0, kWidth, kHeight - 1), Qt::AlignCenter, label, uiFont(13), ink);
    return image;
}

namespace {

// Icons are drawn on a 38-unit grid and scaled to the button.
void drawToolIcon(QPainter& p, ToolIcon icon, const QColor& ink, const QColor& face) {
    const QPen line(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    switch (icon) {
        case ToolIcon::Magnifier:
            p.drawEllipse(QPointF(17, 17), 6.5, 6.5);
            p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(22, 22), QPointF(27, 27));
            break;
        case ToolIcon::Folder: {
            QPainterPath back;
            back.moveTo(10, 27);
            back.lineTo(10, 12);
            back.lineTo(16, 12);
            back.lineTo(18, 14.5);
            back.lineTo(28, 14.5);
            back.lineTo(28, 27);
            back.closeSubpath();
            p.drawPath(back);
            p.drawLine(QPointF(10, 18), QPointF(28, 18));
            break;
        }
        case ToolIcon::Document: {
            QPainterPath page;
            page.moveTo(12, 9);
            page.lineTo(22, 9);
            page.lineTo(27, 14);
            page.lineTo(27, 29);
            page.lineTo(12, 29);
            page.closeSubpath();
            p.drawPath(page);
            p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
            for (double y : {17.0, 21.0, 25.0}) p.drawLine(QPointF(15.5, y), QPointF(23.5, y));
            break;
        }
        case ToolIcon::Question: {
            p.drawEllipse(QPointF(19, 19), 9, 9);
            p.setPen(Qt::NoPen);
            p.setBrush(face);
            drawText(p, QRectF(10, 10, 18, 18), Qt::AlignCenter, QStringLiteral("?"),
                     uiFont(15, true), ink);
            break;
        }
        case ToolIcon::Exchange: {
            // One arrow up, one down: switch between the two lists.
            p.drawLine(QPointF(14, 28), QPointF(14, 11));
            p.drawLine(QPointF(9.5, 15.5), QPointF(14, 11));
            p.drawLine(QPointF(18.5, 15.5), QPointF(14, 11));
            p.drawLine(QPointF(24, 10), QPointF(24, 27));
            p.drawLine(QPointF(19.5, 22.5), QPointF(24, 27));
            p.drawLine(QPointF(28.5, 22.5), QPointF(24, 27));
            break;
        }
    }
}

}  // namespace

QImage toolButton(ToolIcon icon, int size, bool selected) {
    QImage image = canvas(size, size, kBackground);
    Brush p(&image);
    QColor ink = kIcon;
    QColor face = kBackground;
    if (selected) {
        face = kAccentWash;
        ink = kAccentText;
        p.setPen(QPen(kAccent, 1));
        p.setBrush(face);
        p.drawRoundedRect(QRectF(1.5, 1.5, size - 3, size - 3), 4, 4);
    }
    p.scale(size / 38.0, size / 38.0);
    drawToolIcon(p, icon, ink, face);
    return image;
}

QImage indexButton(const QString& glyph, bool enabled) {
    constexpr int kSize = 20;
    QImage image = canvas(kSize, kSize, kBackground);
    Brush p(&image);
    p.setPen(QPen(enabled ? kAccent : QColor(70, 70, 70), 1));
    p.setBrush(enabled ? kAccentWash : QColor(44, 44, 44));
    p.drawRoundedRect(QRectF(0.5, 0.5, kSize - 1, kSize - 1), 3, 3);
    drawText(p, QRectF(0, 0, kSize, kSize), Qt::AlignCenter, glyph, uiFont(13, enabled),
             enabled ? QColor(Qt::white) : kDisabled);
    return image;
}

QImage lightCell(int level) {
    constexpr int kSize = 10;
    static const QColor kDark(52, 52, 52);
    static const double kStrength[] = {0.0, 0.28, 0.55, 0.82, 1.0};
    QImage image = canvas(kSize, kSize, kBackground);
    Brush p(&image);
    p.setPen(Qt::NoPen);
    if (level == 4) {  // the head of the running light glows past its cell
        p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 90));
        p.drawRoundedRect(QRectF(0, 0, 10, 10), 2.5, 2.5);
    }
    p.setBrush(level == 4 ? mix(kAccent, kAccentText, 0.6) : mix(kDark, kAccent, kStrength[level]));
    p.drawRoundedRect(QRectF(1, 1, 8, 8), 1.5, 1.5);
    return image;
}

QImage smallCross(const QColor& backdrop, const QColor& colour) {
    // At 9×8 a smoothed X turns into a blot; single pixels on the diagonals stay sharp.
    QImage image = canvas(9, 8, backdrop);
    for (int i = 0; i < 7; ++i) {
        image.setPixel(1 + i, i, colour.rgb());
        image.setPixel(7 - i, i, colour.rgb());
    }
    return image;
}

QImage folderPlus() {
    QImage image = canvas(15, 13, kBackground);
    Brush p(&image);
    QPainterPath folder;
    folder.moveTo(0.5, 11.5);
    folder.lineTo(0.5, 1.5);
    folder.lineTo(4.5, 1.5);
    folder.lineTo(6, 3);
    folder.lineTo(11.5, 3);
    folder.lineTo(11.5, 11.5);
    folder.closeSubpath();
    p.setPen(QPen(kFolder.darker(140), 1));
    p.setBrush(kFolder);
    p.drawPath(folder);
    p.setPen(Qt::NoPen);
    p.setBrush(kFall.lighter(120));
    p.drawEllipse(QRectF(7, 5, 8, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(10, 6.5, 2, 5));
    p.drawRect(QRectF(8.5, 8, 5, 2));
    return image;
}

QImage swatch(bool shaded) {
    QImage image = canvas(10, 10, kBackground);
    Brush p(&image);
    QLinearGradient face(0, 0, 10, 10);
    face.setColorAt(0, shaded ? QColor(150, 150, 150) : QColor(30, 30, 30));
    face.setColorAt(1, shaded ? QColor(84, 84, 84) : QColor(22, 22, 22));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(face);
    p.drawRect(QRectF(0.5, 0.5, 9, 9));
    return image;
}

}  // namespace artgen
