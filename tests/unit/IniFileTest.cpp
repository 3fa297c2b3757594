#include "app/IniFile.h"
#include "../support/WithoutDacOverride.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using vantorel::ReadIniValue;
using vantorel::WriteIniValue;

namespace {

using vantorel::test::WithoutDacOverride;

class IniFileTest : public ::testing::Test {
  protected:
    QString path(const QString& name = QStringLiteral("config.ini")) const {
        return dir_.filePath(name);
    }
    void put(const QByteArray& bytes, const QString& name = QStringLiteral("config.ini")) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray get(const QString& name = QStringLiteral("config.ini")) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
};

QByteArray gbk(const QString& s) {
    return QStringEncoder("GBK").encode(s);
}

struct ReadCase {
    const char* what;
    QByteArray file;
    const char* section;
    const char* key;
    QString want;
};

TEST_F(IniFileTest, ReadsValuesTheWayTheProfileCallsDid) {
    const QByteArray long200(200, 'x');
    const QByteArray cutInsideChar =
        "k=" + QByteArray(126, 'a') + gbk(QStringLiteral("中")) + "tail";
    const QByteArray cutAfterChar =
        "k=" + QByteArray(125, 'a') + gbk(QStringLiteral("中")) + "tail";
    const ReadCase cases[] = {
        {"blanks around", "[Main]\r\nMainTop = 1200 \r\n", "Main", "MainTop", "1200"},
        {"tabs around", "[Main]\n\tMainTop\t=\t7\t\n", "Main", "MainTop", "7"},
        {"LF, no final newline", "[Main]\nMainTop=5", "Main", "MainTop", "5"},
        {"spaced header", "[ Main ] ; note\r\nk=1\r\n", "Main", "k", "1"},
        {"names ignore case", "[MAIN]\r\nmaintop=9\r\n", "main", "MAINTOP", "9"},
        {"first key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
        {"first section wins", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k", ""},
        {"key of another section", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "B", "k", ""},
        {"key before any section", "k=1\r\n[S]\r\n", "S", "k", ""},
        {"comments are not keys", "[S]\r\n;k=1\r\n#k=2\r\n", "S", "k", ""},
        {"line without =", "[S]\r\nk\r\nk2=3\r\n", "S", "k", ""},
        {"value keeps later =", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"blanks only", "[S]\r\nk=   \t \r\n", "S", "k", ""},
        {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
        {"UTF-8 BOM skipped", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"},
        {"GBK text",
         "[" + gbk(QStringLiteral("设置")) + "]\r\nk=" + gbk(QStringLiteral("中右左上")) + "\r\n",
         "设置", "k", QStringLiteral("中右左上")},
        {"200 bytes", "[S]\r\nk=" + long200 + "\r\n", "S", "k", QString(127, u'x')},
        {"cut inside a character", "[S]\r\n" + cutInsideChar, "S", "k", QString(126, u'a')},
        {"cut after a character", "[S]\r\n" + cutAfterChar, "S", "k",
         QString(125, u'a') + QStringLiteral("中")},
        {"blanks exposed by the cut", "[S]\r\nk=x" + QByteArray(130, ' ') + "y\r\n", "S", "k", "x"},
        {"NUL ends the value", QByteArrayLiteral("[S]\r\nk=ab\0cd\r\n"), "S", "k", "ab"},
        {"NUL in the key", QByteArrayLiteral("[S]\r\nk\0=1\r\n"), "S", "k", ""},
    };
    for (const ReadCase& c : cases) {
        put(c.file);
        EXPECT_EQ(ReadIniValue(QString::fromUtf8(c.section), QString::fromUtf8(c.key), path()),
                  c.want)
            << c.what;
    }
}

TEST_F(IniFileTest, MissingOrUnreadableFileReadsEmpty) {
    EXPECT_EQ(ReadIniValue("S", "k", path("absent.ini")), "");
    EXPECT_EQ(ReadIniValue("S", "k", dir_.path()), "");  // a folder
    EXPECT_EQ(ReadIniValue("S", "k", ""), "");
}

TEST_F(IniFileTest, CorruptFilesAreSurvivedAndStillWritable) {
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator rng(42);
    for (char& c : garbage) c = char(rng.bounded(256));
    const QByteArray hugeLine = "[S]\r\nk" + QByteArray(10 * 1024 * 1024, 'v');
    const QByteArray inputs[] = {garbage, QByteArray(4096, '\0'), hugeLine,
                                 "[S\r\n[\r\n]\r\n=\r\n==\r\n[S]]\r\n"};
    for (const QByteArray& input : inputs) {
        put(input);
        EXPECT_EQ(ReadIniValue("S", "k", path()), "");
        WriteIniValue("S", "k", "ok", path());
        EXPECT_EQ(ReadIniValue("S", "k", path()), "ok");
    }
    put(hugeLine);
    WriteIniValue("S", "k", "ok", path());
    EXPECT_EQ(get(), hugeLine + "\r\nk=ok\r\n");
}

TEST_F(IniFileTest, WrittenTextReadsBackExactly) {
    const QString values[] = {QStringLiteral("中"),
                              QStringLiteral("右"),
                              QStringLiteral("左"),
                              QStringLiteral("上"),
                              QStringLiteral("中右左上 mixed 1200"),
                              "",
                              "a;b#c=[d]"};
    for (const QString& v : values) {
        WriteIniValue("Main", "Pos", v, path());
        EXPECT_EQ(ReadIniValue("Main", "Pos", path()), v) << v.toStdString();
    }
}

TEST_F(IniFileTest, WriteCreatesGbkFileWithCrlf) {
    WriteIniValue(QStringLiteral("设置"), "Pos", QStringLiteral("中"), path("new.ini"));
    EXPECT_EQ(get("new.ini"), "[" + gbk(QStringLiteral("设置")) + "]\r\nPos=\xD6\xD0\r\n");
    EXPECT_EQ(ReadIniValue(QStringLiteral("设置"), "pos", path("new.ini")), QStringLiteral("中"));
}

TEST_F(IniFileTest, WriteStoresAtMost128Units) {
    struct {
        QString value;
        QByteArray stored;
    } cases[] = {
        {QString(130, u'a'), QByteArray(128, 'a')},
        {QString(128, u'b'), QByteArray(128, 'b')},
        {QString(5, u'c'), QByteArray(5, 'c')},
        {QString(129, u'中'), gbk(QString(128, u'中'))},
    };
    for (const auto& c : cases) {
        QFile::remove(path());
        WriteIniValue("S", "k", c.value, path());
        EXPECT_EQ(get(), "[S]\r\nk=" + c.stored + "\r\n");
    }
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLine) {
    put("; head comment\n"
        "[Main]\n"
        "MainTop = 1\n"
        "# note\n"
        "maintop=dup\n"
        "\n"
        "[Other]\n"
        "x=1\n"
        "stray line\n"
        "\n"
        "; about Last\n"
        "[main]\n"
        "MainTop=second section");
    WriteIniValue("MAIN", "MAINTOP", "2", path());  // first section, first key
    WriteIniValue("Other", "New", "n", path());     // after the section's last entry
    WriteIniValue("Last", "k", "v", path());        // a new section at the end
    EXPECT_EQ(get(),
              "; head comment\r\n"
              "[Main]\r\n"
              "MainTop=2\r\n"
              "# note\r\n"
              "maintop=dup\r\n"
              "\r\n"
              "[Other]\r\n"
              "x=1\r\n"
              "stray line\r\n"
              "New=n\r\n"
              "\r\n"
              "; about Last\r\n"
              "[main]\r\n"
              "MainTop=second section\r\n"
              "\r\n"
              "[Last]\r\n"
              "k=v\r\n");
    EXPECT_EQ(ReadIniValue("main", "maintop", path()), "2");
}

TEST_F(IniFileTest, ValueCannotWriteExtraLines) {
    WriteIniValue("S", "User", "me\r\nAutoLogin=yes", path());
    EXPECT_EQ(ReadIniValue("S", "User", path()), "me");
    EXPECT_EQ(ReadIniValue("S", "AutoLogin", path()), "");
    WriteIniValue("S", "bad=key", "1", path());
    WriteIniValue("S]x", "k", "1", path());
    EXPECT_EQ(get(), "[S]\r\nUser=me\r\n");
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFile) {
    const QByteArray old = "[S]\r\nk=old\r\n";
    put(old);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
    {
        WithoutDacOverride asUser;
        QFile probe(path("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(dir_.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "cannot make a read-only folder here";
        }
        WriteIniValue("S", "k", "new", path());
        WriteIniValue("T", "j", "new", path("other.ini"));
    }
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(get(), old);
    EXPECT_FALSE(QFile::exists(path("other.ini")));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"});
}

}  // namespace
