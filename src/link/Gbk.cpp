#include "link/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vantorel {

QByteArray toGbk(const QString& text) {
    QStringEncoder enc("GBK");
    if (!enc.isValid()) return text.toLocal8Bit();
    return enc.encode(text);
}

QString fromGbk(const QByteArray& bytes) {
    QStringDecoder dec("GBK");
    if (!dec.isValid()) return QString::fromLocal8Bit(bytes);
    return dec.decode(bytes);
}

}  // namespace vantorel
