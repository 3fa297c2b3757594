#pragma once

#include <QString>

#include <functional>

namespace vantorel::qt {

// True when a file can really be created in `dir` (a probe file is made and removed). Permission
// bits are not enough: root ignores them and read-only mounts do not show in them.
bool isDirWritable(const QString& dir);

// The folder holding config.ini and QsDate.db:
//  - `overrideDir` when given (created if missing);
//  - else `exeDir` when it is writable, for portable use beside the program;
//  - else $XDG_DATA_HOME/vantorel (~/.local/share/vantorel), created if missing.
// A chosen folder other than `exeDir` that has no QsDate.db gets a copy of exeDir's; an existing
// database is never replaced, as it holds the user's saved login.
//
// Returns an absolute path. When the override folder cannot be created the result is empty; when
// the per-user folder cannot be created the result is `exeDir` (usable read-only). Either way
// `*error` says what went wrong, as it does when seeding the database fails.
QString resolveAppDir(const QString& exeDir, const QString& overrideDir, QString* error = nullptr,
                      const std::function<bool(const QString&)>& isWritable = isDirWritable);

}  // namespace vantorel::qt
