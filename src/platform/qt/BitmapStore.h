#pragma once

#include <QPixmap>

namespace vantorel::qt {

// The program's bitmap by number, read from the Qt resources on every call (the design reloads a
// bitmap on each assignment). A null pixmap for a number the program does not carry.
QPixmap loadBitmap(int id);

// Pictures stored with the window design rather than as numbered bitmaps.
QPixmap loadDesignPicture(const QString& name);  // "up_arrow", "down_arrow", "tray_icon"

}  // namespace vantorel::qt
