#pragma once

// One line per event on stderr; stdout is kept for the READY line and console answers.

#include <QString>

#include <cstdio>

namespace vantorel::service {

inline void logLine(const QString& line) {
    std::fputs(line.toUtf8().append('\n').constData(), stderr);
    std::fflush(stderr);
}

inline void printLine(const QString& line) {
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

// A short, printable form of untrusted input for the log.
inline QString excerpt(const QString& text, int limit = 80) {
    QString out;
    for (QChar c : text.left(limit)) out += c.isPrint() ? c : QChar(u'?');
    if (text.size() > limit) out += QStringLiteral("...(%1 chars)").arg(text.size());
    return out;
}

}  // namespace vantorel::service
