#include "platform/qt/AppDir.h"

#include "platform/qt/SqliteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace vantorel::qt {

namespace {

void report(QString* error, const QString& message) {
    if (error) *error = message;
}

bool makeDir(const QString& dir, QString* error) {
    if (QDir().mkpath(dir) && QFileInfo(dir).isDir()) return true;
    report(error, QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(dir)));
    return false;
}

// Copies the shipped database into `dir` unless it already has one. The copy is written fresh
// (not a permission-preserving file copy) so a read-only installed file becomes a writable one,
// and through a temporary name so an interrupted copy never looks like a database.
void seedDatabase(const QString& exeDir, const QString& dir, QString* error) {
    const QString name = QString::fromLatin1(kDatabaseFileName);
    const QString target = QDir(dir).filePath(name);
    const QString source = QDir(exeDir).filePath(name);
    if (QFileInfo::exists(target) || !QFileInfo(source).isFile()) return;
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) return;

    QFile in(source);
    QSaveFile out(target);
    bool ok = in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly);
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        ok = in.error() == QFileDevice::NoError && out.write(chunk) == chunk.size();
    }
    // Checked again at the last moment: another instance may have seeded it meanwhile.
    if (ok && !QFileInfo::exists(target))
        ok = out.commit();
    else
        out.cancelWriting();
    if (!ok && !QFileInfo::exists(target))
        report(error, QStringLiteral("Cannot copy %1 to %2")
                          .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(dir)));
}

QString userDataDir() {
    // Relative values are to be ignored, as the XDG rules say.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/vantorel"));
}

}  // namespace

bool isDirWritable(const QString& dir) {
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".vantorel-probe-XXXXXX")));
    return probe.open();  // removed again when it goes out of scope
}

QString resolveAppDir(const QString& exeDir, const QString& overrideDir, QString* error,
                      const std::function<bool(const QString&)>& isWritable) {
    const QString exe = QDir(exeDir).absolutePath();
    if (!overrideDir.isEmpty()) {
        const QString dir = QDir(overrideDir).absolutePath();
        if (!makeDir(dir, error)) return {};
        seedDatabase(exe, dir, error);
        return dir;
    }
    if (isWritable(exe)) return exe;

    const QString dir = userDataDir();
    if (!makeDir(dir, error)) return exe;
    seedDatabase(exe, dir, error);
    return dir;
}

}  // namespace vantorel::qt
