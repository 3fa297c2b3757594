#include <QPainterPath>

#include "Artwork.h"
#include "Paint.h"
#include "Palette.h"

namespace artgen {

using namespace palette;

QImage windowSlice(int x, int y, int width, int height) {
    static const QImage frame = windowFrame(kWindowWidth, kWindowHeight);
    return frame.copy(x, y, width, height);
}

QImage popupSlice(int x, int y, int width, int height) {
    static const QImage frame = windowFrame(kWindowWidth, kPopupHeight);
    return frame.copy(x, y, width, height);
}

QImage titleImage(int width, const Caption& caption) {
    QImage image = windowSlice(0, 0, width, kTitleHeight);
    Brush p(&image);
    // Text is centred on the title face (rows 1..24), which is one row below the image centre.
    const QRectF face(0, 1, width, kTitleHeight - 2);
    drawEmblem(p, QRectF(7, 6, 14, 14));
    const double nameX = 26;
    const int nameWidth =
        drawText(p, face.adjusted(nameX, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("Vantorel"), uiFont(14, true), kText);
    if (!caption.text.isEmpty()) {
        const double dividerX = nameX + nameWidth + 6.5;
        p.setPen(QPen(kTextDim, 1));
        p.drawLine(QPointF(dividerX, 8), QPointF(dividerX, 18));
        drawText(p, face.adjusted(dividerX + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 caption.text, uiFont(12), caption.colour);
    }
    return image;
}

QImage popupTitle(const QString& text) {
    QImage image = popupSlice(0, 0, kWindowWidth, kTitleHeight);
    if (text.isEmpty()) return image;
    Brush p(&image);
    // Same place as the label the popup lays over the empty variant.
    drawText(p, QRectF(15, 1, kWindowWidth - 30, kTitleHeight - 2),
             Qt::AlignLeft | Qt::AlignVCenter, text, uiFont(13), kText);
    return image;
}

QImage captionButton(CaptionGlyph glyph, bool hot) {
    constexpr int kWidth = 29;
    constexpr int kHeight = 24;
    constexpr int kTop = 2;  // the buttons sit at y = 2 on the title bar
    QImage image = titleBackdrop(kWidth, kHeight, kTop);
    Brush p(&image);
    // The hot face stays clear of the inset line in the title's last row.
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(glyph == CaptionGlyph::Close ? kClose : QColor(72, 72, 72));
        p.drawRoundedRect(QRectF(2, 1, kWidth - 4, kHeight - 4), 3, 3);
    }
    const QColor ink = hot ? QColor(Qt::white) : kText.darker(108);
    // Bars on pixel centres so they stay one crisp pixel high.
    const double cx = kWidth / 2.0;
    const double cy = kTitleHeight / 2.0 - kTop + 0.5;
    p.setPen(QPen(ink, 1, Qt::SolidLine, Qt::FlatCap));
    switch (glyph) {
        case CaptionGlyph::Menu:
            for (int i = -1; i <= 1; ++i)
                p.drawLine(QPointF(cx - 5.5, cy + 4 * i), QPointF(cx + 5.5, cy + 4 * i));
            break;
        case CaptionGlyph::Minimise:
            p.drawLine(QPointF(cx - 5.5, cy), QPointF(cx + 5.5, cy));
            break;
        case CaptionGlyph::Close:
            drawCross(p, QRectF(cx - 5, cy - 5.5, 10, 10), ink, 1.4);
            break;
    }
    return image;
}

QImage thinLine(int width, int height) {
    // An engraved rule: dark over light, like the inset line over the frame face.
    QImage image = canvas(width, height, kFrame);
    QPainter p(&image);
    p.fillRect(0, 0, width, height / 2, kInset);
    return image;
}

}  // namespace artgen
