#pragma once

#include <QString>

namespace vantorel {

// A small reader/writer of "[Section]" / "key=value" settings files that keeps the limits of the
// Windows profile calls the program was written against, so stored settings behave the same:
// names match case-insensitively, the first section and the first key of a name win, the file is
// GBK text with CRLF line ends.

// The value, or "" when the file, section or key is missing or the file cannot be read. At most
// 127 bytes of the stored value are used (a character cut in half is dropped); leading and
// trailing spaces and tabs are removed.
QString ReadIniValue(const QString& section, const QString& key, const QString& file);

// Stores the first 128 UTF-16 units of `value`, creating the file, section and key as needed and
// keeping every other line. The file is replaced atomically; a failed write leaves it untouched
// and is not reported (the original call's result went unchecked too). Always returns "".
QString WriteIniValue(const QString& section, const QString& key, const QString& value,
                      const QString& file);

}  // namespace vantorel
