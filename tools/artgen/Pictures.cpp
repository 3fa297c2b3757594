#include <QPainterPath>

#include "Artwork.h"
#include "Paint.h"
#include "Palette.h"

namespace artgen {

using namespace palette;

QImage logo() {
    QImage image = canvas(79, 82, kBackground);
    Brush p(&image);
    // A soft shadow under the tile uses the extra rows of the picture.
    QRadialGradient shadow(QPointF(39.5, 76), 34);
    shadow.setColorAt(0, QColor(0, 0, 0, 110));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QRectF(6, 71, 67, 10));
    drawEmblem(p, QRectF(4.5, 2, 70, 70));
    return image;
}

QImage trendArrow(bool up) {
    QImage image = canvas(11, 10, kPaper);
    Brush p(&image);
    if (!up) {
        p.translate(0, 10);
        p.scale(1, -1);
    }
    QPainterPath arrow;
    arrow.moveTo(5.5, 0.5);
    arrow.lineTo(10.5, 5.5);
    arrow.lineTo(7.5, 5.5);
    arrow.lineTo(7.5, 9.5);
    arrow.lineTo(3.5, 9.5);
    arrow.lineTo(3.5, 5.5);
    arrow.lineTo(0.5, 5.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(up ? kRise : kFall);
    p.drawPath(arrow);
    return image;
}

QImage trayIcon() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    Brush p(&image);
    drawEmblem(p, QRectF(0, 0, 16, 16));
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace artgen
