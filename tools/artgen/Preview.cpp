#include "Preview.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QRegion>

#include "Artwork.h"
#include "Paint.h"
#include "Palette.h"

namespace artgen {

QImage contactSheet(const std::vector<std::pair<QString, QImage>>& pictures) {
    constexpr int kScale = 3;
    constexpr int kSheetWidth = 1560;
    constexpr int kGap = 18;
    constexpr int kLabel = 18;
    struct Place {
        QPoint at;
        const QImage* image;
        QString label;
    };
    std::vector<Place> places;
    int x = kGap;
    int y = kGap;
    int rowHeight = 0;
    for (const auto& [name, image] : pictures) {
        const QSize size = image.size() * kScale;
        if (x + size.width() > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += rowHeight + kLabel + kGap;
            rowHeight = 0;
        }
        places.push_back(
            {QPoint(x, y), &image,
             QStringLiteral("%1  %2×%3").arg(name).arg(image.width()).arg(image.height())});
        x += qMax(size.width(), QFontMetrics(uiFont(12)).horizontalAdvance(places.back().label)) +
             kGap;
        rowHeight = qMax(rowHeight, size.height());
    }
    QImage sheet = canvas(kSheetWidth, y + rowHeight + kLabel + kGap, QColor(128, 128, 128));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Place& place : places) {
        p.drawImage(QRect(place.at, place.image->size() * kScale), *place.image);
        drawText(p,
                 QRectF(place.at.x(), place.at.y() + place.image->height() * kScale + 2, 300,
                        kLabel - 2),
                 Qt::AlignLeft | Qt::AlignTop, place.label, uiFont(12), Qt::black);
    }
    return sheet;
}

namespace {

// The clip the window cuts its corners with: a rectangle rounded by a 9×9 ellipse.
QRegion roundRectRegion(int w, int h) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, w, h), 4.5, 4.5);
    return QRegion(path.toFillPolygon().toPolygon());
}

void drawFrame(QPainter& p, const ArtSet& art, int w, int h, const QString& title) {
    const QImage& titleImage = art.at(title);
    p.drawImage(QRect(4, kTitleHeight, w - 8, h - kTitleHeight - 4), art.at("150"));
    p.drawImage(0, 0, titleImage);
    if (titleImage.width() < w) {
        p.drawImage(QRect(titleImage.width(), 0, w - 4 - titleImage.width(), kTitleHeight),
                    art.at("147"));
        p.drawImage(w - 4, 0, art.at("148"));
    }
}

QImage mainWindow(const ArtSet& art, bool loggedIn) {
    constexpr int w = kWindowWidth;
    constexpr int h = kWindowHeight;
    QImage window(w, h, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::transparent);
    QPainter p(&window);
    p.setClipRegion(roundRectRegion(w, h));
    drawFrame(p, art, w, h, loggedIn ? "1013" : "146");
    p.drawImage(QRect(0, kTitleHeight, 4, h - kTitleHeight - 4), art.at("149"));
    p.drawImage(QRect(w - 4, kTitleHeight, 4, h - kTitleHeight - 4), art.at("151"));
    p.drawImage(0, h - 4, art.at("152"));
    p.drawImage(QRect(4, h - 4, w - 8, 4), art.at("153"));
    p.drawImage(w - 4, h - 4, art.at("154"));
    p.drawImage(w - 95, 2, art.at(loggedIn ? "107" : "106"));
    p.drawImage(w - 66, 2, art.at("108"));
    p.drawImage(w - 37, 2, art.at(loggedIn ? "110" : "111"));

    if (!loggedIn) {
        p.drawImage(80, 110, art.at("120"));
        for (int i = 0; i < 5; ++i)
            p.drawImage(90 + 12 * i, 215, art.at(QString::number(1000 + i)));
        p.drawImage(81, 250, art.at("122"));
        p.drawImage(81, 290, art.at("125"));
        p.drawImage(4, 340, art.at("104"));
        return window;
    }
    const char* tools[] = {"128", "129", "131"};
    for (int i = 0; i < 3; ++i) p.drawImage(6, 32 + 40 * i, art.at(tools[i]));
    p.drawImage(6, 152, art.at("143"));
    p.drawImage(6, 191, art.at("144"));
    p.drawImage(48, 34, art.at("133"));
    p.drawImage(72, 34, art.at("136"));
    p.drawImage(98, 38, art.at("123"));
    p.drawImage(112, 38, art.at("124"));
    p.drawImage(130, 37, art.at("118"));
    p.drawImage(4, 520, art.at("104"));
    // A white result frame with a change arrow and its close mark.
    p.fillRect(QRect(48, 72, 184, 120), Qt::white);
    p.drawImage(220, 76, art.at("139"));
    p.drawImage(56, 84, art.at("up_arrow"));
    p.drawImage(56, 100, art.at("down_arrow"));
    drawText(p, QRectF(72, 80, 150, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("上证指数 3050.12"), uiFont(12), Qt::black);
    drawText(p, QRectF(72, 96, 150, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("深证成指 9876.54"), uiFont(12), Qt::black);
    for (int i = 0; i < 5; ++i) p.drawImage(60 + 12 * i, 200, art.at(QString::number(1004 - i)));
    p.drawImage(120, 220, art.at("138"));
    p.drawImage(20, 540, art.at("tray_icon"));
    return window;
}

QImage popup(const ArtSet& art, bool withLabel) {
    constexpr int w = kWindowWidth;
    constexpr int h = kPopupHeight;
    QImage window(w, h, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::transparent);
    QPainter p(&window);
    p.setClipRegion(roundRectRegion(w, h));
    p.drawImage(0, 0, art.at(withLabel ? "1011" : "141"));
    p.drawImage(QRect(0, kTitleHeight, w, h - kTitleHeight - 4), art.at("102"));
    p.drawImage(0, h - 4, art.at("103"));
    p.drawImage(w - 20, 9, art.at(withLabel ? "140" : "119"));
    p.setRenderHint(QPainter::TextAntialiasing);
    if (withLabel)
        drawText(p, QRectF(15, 1, 200, 24), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("行情提醒"), uiFont(13), palette::kText);
    drawText(p, QRectF(16, 40, w - 32, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("服务器将于今晚 22:00 维护，届时暂停行情服务。"), uiFont(12),
             palette::kText);
    return window;
}

}  // namespace

QImage windowMock(const ArtSet& art) {
    constexpr int kGap = 20;
    const QImage out = mainWindow(art, false);
    const QImage in = mainWindow(art, true);
    const int width = kGap * 4 + kWindowWidth * 4;
    const int height = kGap * 2 + kWindowHeight * 2;
    QImage desk = canvas(width, height, QColor(74, 104, 134));
    QPainter p(&desk);
    p.drawImage(kGap, kGap, out);
    p.drawImage(kGap * 2 + kWindowWidth, kGap, in);
    p.drawImage(kGap, kGap * 2 + kWindowHeight, popup(art, false));
    p.drawImage(kGap * 2 + kWindowWidth, kGap * 2 + kWindowHeight, popup(art, true));
    // ×2 without smoothing, to see single pixels at the joins.
    p.drawImage(QRect(kGap * 3 + kWindowWidth * 2, kGap, kWindowWidth * 2, kWindowHeight * 2), in);
    // The four corners of the logged-in window and the title join under the close button, ×6.
    constexpr int kCrop = 14;
    constexpr int kZoom = 6;
    const int left = kGap * 2 + kWindowWidth;
    const QPoint crops[] = {{left - 2, kGap - 2},
                            {left + kWindowWidth - kCrop + 2, kGap - 2},
                            {left - 2, kGap + kWindowHeight - kCrop + 2},
                            {left + kWindowWidth - kCrop + 2, kGap + kWindowHeight - kCrop + 2},
                            {left + 222, kGap + 18}};
    const QImage source = desk.copy();
    int x = kGap;
    for (const QPoint& at : crops) {
        p.drawImage(QRect(x, kGap * 3 + kWindowHeight + kPopupHeight, kCrop * kZoom, kCrop * kZoom),
                    source.copy(QRect(at, QSize(kCrop, kCrop))));
        x += kCrop * kZoom + 8;
    }
    return desk;
}

}  // namespace artgen
