#include "BitmapStore.h"

#include "app/Bitmaps.h"

namespace vantorel::qt {

QPixmap loadBitmap(int id) {
    if (!findBitmap(id)) return {};
    return QPixmap(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
}

QPixmap loadDesignPicture(const QString& name) {
    // A fixed list, so a name can never reach outside the design folder.
    static const QString kFiles[] = {QStringLiteral("up_arrow.bmp"),
                                     QStringLiteral("down_arrow.bmp"),
                                     QStringLiteral("tray_icon.png")};
    for (const QString& file : kFiles)
        if (file.section(QLatin1Char('.'), 0, 0) == name)
            return QPixmap(QStringLiteral(":/design/") + file);
    return {};
}

}  // namespace vantorel::qt
