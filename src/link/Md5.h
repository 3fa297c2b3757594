#pragma once

// MD5 (RFC 1321) for the login digest. Kept in-house so the behaviour library needs nothing
// beyond Qt6::Core and the digest cannot change with a crypto backend.

#include <QByteArray>
#include <QString>

namespace vantorel {

// The 16 raw digest bytes.
QByteArray md5(const QByteArray& bytes);

// True when every character is ASCII: the only characters that are one byte in the service's
// code page, so the only ones Md5Digest can represent faithfully.
bool isSingleByteText(const QString& text);

// 32 upper-case hex digits of the MD5 of the text, one byte per character. Empty when the text
// is not single-byte: a wrong digest must never be sent silently.
QString Md5Digest(const QString& text);

}  // namespace vantorel
