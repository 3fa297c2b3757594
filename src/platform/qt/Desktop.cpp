#include "platform/qt/Desktop.h"

#include "app/Bitmaps.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace vantorel::qt {

ScreenInfo QtScreen::info() const {
    ScreenInfo s;
    s.twipsPerPixelX = kTwipsPerPixel;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return s;
    const QRect all = screen->geometry();
    s.widthTwips = static_cast<double>(all.width()) * kTwipsPerPixel;
    s.heightTwips = static_cast<double>(all.height()) * kTwipsPerPixel;
    const QRect work = screen->availableGeometry();
    s.workLeft = work.x();
    s.workTop = work.y();
    s.workRight = work.x() + work.width();
    s.workBottom = work.y() + work.height();
    return s;
}

void QtCursor::position(int& x, int& y) const {
    const QPoint p = QCursor::pos();
    x = p.x();
    y = p.y();
}

void DesktopOpener::open(const QString& url) {
    const QUrl u(url, QUrl::TolerantMode);
    if (!u.isValid() || u.isEmpty()) return;
    QDesktopServices::openUrl(u);  // false without a browser: nothing the user could act on
}

ClockRandom::ClockRandom() {
    reseedFromClock();
}

void ClockRandom::reseedFromClock() {
    engine_.seed(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

double ClockRandom::next() {
    // 53 random bits scaled down: never reaches 1, unlike some generate_canonical builds.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void ImmediateExit::exitNow() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace vantorel::qt
