#include "platform/qt/AppDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vantorel::qt::isDirWritable;
using vantorel::qt::resolveAppDir;

namespace {

class AppDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedXdg_ = qgetenv("XDG_DATA_HOME");
        savedHome_ = qgetenv("HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root_.filePath("xdg")));
        QDir(root_.path()).mkpath("exe");
        write(exeDir() + "/QsDate.db", "shipped");
    }
    void TearDown() override {
        restore("XDG_DATA_HOME", savedXdg_);
        restore("HOME", savedHome_);
    }
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString exeDir() const { return root_.filePath("exe"); }
    QString xdgAppDir() const { return root_.filePath("xdg/vantorel"); }

    static bool readOnly(const QString&) { return false; }

    QTemporaryDir root_;
    QByteArray savedXdg_, savedHome_;
};

TEST_F(AppDirTest, OverrideIsCreatedAndSeededButNeverOverwritten) {
    const QString fresh = root_.filePath("a/b/c");
    QString error;
    EXPECT_EQ(resolveAppDir(exeDir(), fresh, &error), fresh);
    EXPECT_EQ(read(fresh + "/QsDate.db"), "shipped");
    EXPECT_TRUE(error.isEmpty());

    write(fresh + "/QsDate.db", "saved login");
    EXPECT_EQ(resolveAppDir(exeDir(), fresh, &error), fresh);
    EXPECT_EQ(read(fresh + "/QsDate.db"), "saved login");

    // The override wins even over a writable program folder, and it is the user's choice, so
    // failing to create it is an error rather than a silent fallback.
    write(root_.filePath("file"), "x");
    EXPECT_EQ(resolveAppDir(exeDir(), root_.filePath("file/sub"), &error), "");
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(AppDirTest, WritableProgramFolderIsUsedAsItIs) {
    QString error;
    EXPECT_EQ(resolveAppDir(exeDir(), "", &error), exeDir());
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(xdgAppDir()));
}

TEST_F(AppDirTest, ReadOnlyProgramFolderMovesToSeededUserFolder) {
    QFile::setPermissions(exeDir() + "/QsDate.db", QFile::ReadOwner | QFile::ReadGroup);
    QString error;
    EXPECT_EQ(resolveAppDir(exeDir(), "", &error, readOnly), xdgAppDir());
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(read(xdgAppDir() + "/QsDate.db"), "shipped");
    EXPECT_TRUE(QFile::permissions(xdgAppDir() + "/QsDate.db") & QFile::WriteOwner)
        << "the user's copy must be writable even when the installed one is not";

    write(xdgAppDir() + "/QsDate.db", "saved login");
    QFile::setPermissions(exeDir() + "/QsDate.db", QFile::ReadOwner | QFile::WriteOwner);
    write(exeDir() + "/QsDate.db", "newer shipped");
    EXPECT_EQ(resolveAppDir(exeDir(), "", &error, readOnly), xdgAppDir());
    EXPECT_EQ(read(xdgAppDir() + "/QsDate.db"), "saved login");
}

TEST_F(AppDirTest, UserFolderDefaultsUnderHome) {
    qputenv("HOME", QFile::encodeName(root_.filePath("home")));
    for (const char* xdg : {"", "relative/path"}) {
        qputenv("XDG_DATA_HOME", xdg);
        const QString want = root_.filePath("home/.local/share/vantorel");
        EXPECT_EQ(resolveAppDir(exeDir(), "", nullptr, readOnly), want) << xdg;
        EXPECT_EQ(read(want + "/QsDate.db"), "shipped");
    }
}

TEST_F(AppDirTest, UncreatableUserFolderFallsBackToProgramFolder) {
    write(root_.filePath("xdg"), "a file where the folder should be");
    QString error;
    EXPECT_EQ(resolveAppDir(exeDir(), "", &error, readOnly), exeDir());
    EXPECT_FALSE(error.isEmpty());
}

TEST(AppDirProbe, ChecksByCreatingAFile) {
    QTemporaryDir dir;
    EXPECT_TRUE(isDirWritable(dir.path()));
    EXPECT_TRUE(QDir(dir.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty())
        << "the probe must not stay behind";
    EXPECT_FALSE(isDirWritable(dir.filePath("missing")));
    EXPECT_FALSE(isDirWritable(""));
    // Permission bits would say yes to root here; only a real attempt tells.
    EXPECT_FALSE(isDirWritable("/proc"));
}

}  // namespace
