#pragma once

#include <QByteArray>
#include <QString>

namespace vantorel {

// The service speaks the Chinese Windows code page (GBK) on the wire. Characters GBK cannot hold
// become "?"; bytes that are not valid GBK decode to U+FFFD.
QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

}  // namespace vantorel
