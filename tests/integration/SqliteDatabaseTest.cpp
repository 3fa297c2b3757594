#include "platform/qt/SqliteDatabase.h"
#include "../support/WithoutDacOverride.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

using vantorel::SystemRow;
using vantorel::qt::SqliteDatabase;

namespace {

using vantorel::test::WithoutDacOverride;

const char* const kSchema =
    "create table [System] (AutoLogin TEXT, UserName TEXT, PassWord TEXT);"
    "create table [SearchList] (GpID TEXT, GpName TEXT);"
    "create table [QzSj] (GpID TEXT, GpName TEXT);";

class SqliteDatabaseTest : public ::testing::Test {
  protected:
    QString dbPath() const { return dir_.filePath(vantorel::qt::kDatabaseFileName); }

    // Writes QsDate.db with the given SQL, as another program would.
    void makeDb(const std::string& sql) {
        QFile::remove(dbPath());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(dbPath()).constData(), &db), SQLITE_OK);
        char* message = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
        const std::string text = message ? message : "";
        sqlite3_free(message);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << text;
    }

    // One text line per row, columns joined by "|", NULL shown as "<null>".
    std::vector<std::string> rows(const char* sql) const {
        std::vector<std::string> out;
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(dbPath()).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                std::string line;
                for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                    const auto* t = sqlite3_column_text(stmt, c);
                    line += (c ? "|" : "") +
                            (t ? std::string(reinterpret_cast<const char*>(t)) : "<null>");
                }
                out.push_back(line);
            }
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return out;
    }

    QTemporaryDir dir_;
    SqliteDatabase db_;
};

std::vector<std::string> ids(const std::vector<vantorel::StockRow>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.gpId.toStdString());
    return out;
}

TEST_F(SqliteDatabaseTest, ReadsTheFirstSystemRowAsStored) {
    struct {
        const char* rows;
        std::optional<SystemRow> want;
    } cases[] = {
        {"insert into System values ('yes', 'u', 'p');", SystemRow{"yes", "u", "p"}},
        {"insert into System values ('Yes', '', NULL);", SystemRow{"Yes", "", std::nullopt}},
        {"insert into System values (NULL, NULL, NULL);", SystemRow{"", {}, {}}},
        {"insert into System values ('No', 'first', NULL);"
         "insert into System values ('yes', 'second', 'x');",
         SystemRow{"No", "first", std::nullopt}},
        {"insert into System values ('a', 'b', 'c'); delete from System;", std::nullopt},
        {"drop table System;", std::nullopt},
    };
    for (const auto& c : cases) {
        makeDb(std::string(kSchema) + c.rows);
        ASSERT_TRUE(db_.open(dir_.path())) << c.rows;
        const std::optional<SystemRow> got = db_.readSystem();
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.rows;
        if (!got) continue;
        EXPECT_EQ(got->autoLogin, c.want->autoLogin) << c.rows;
        EXPECT_EQ(got->userName, c.want->userName) << c.rows;
        EXPECT_EQ(got->passWord, c.want->passWord) << c.rows;
    }
}

TEST_F(SqliteDatabaseTest, SaveLoginChangesOnlyTheFirstRow) {
    makeDb(std::string(kSchema) +
           "insert into System values ('No', NULL, NULL);"
           "insert into System values ('extra', 'x', 'y');");
    ASSERT_TRUE(db_.open(dir_.path()));
    ASSERT_TRUE(db_.saveLogin("Yes", "secret", "alice"));
    ASSERT_TRUE(db_.saveLogin("No", "", "bob"));
    EXPECT_EQ(rows("select AutoLogin, UserName, PassWord from System order by rowid"),
              (std::vector<std::string>{"No|bob|", "extra|x|y"}));
    EXPECT_EQ(db_.readSystem()->userName, "bob");
}

TEST_F(SqliteDatabaseTest, SaveLoginIntoEmptyTableInsertsOneRow) {
    makeDb(kSchema);
    ASSERT_TRUE(db_.open(dir_.path()));
    EXPECT_FALSE(db_.readSystem());
    ASSERT_TRUE(db_.saveLogin("Yes", "p1", "u1"));
    ASSERT_TRUE(db_.saveLogin("Yes", "p2", "u2"));
    EXPECT_EQ(rows("select AutoLogin, UserName, PassWord from System"),
              std::vector<std::string>{"Yes|u2|p2"});
}

TEST_F(SqliteDatabaseTest, FavouritesComeInTableOrder) {
    makeDb(std::string(kSchema) +
           "insert into SearchList values ('sz000002', 'B'), ('sh600000', 'A'), ('x', NULL);"
           "create index byId on SearchList (GpID);");
    ASSERT_TRUE(db_.open(dir_.path()));
    const auto favs = db_.favourites();
    EXPECT_EQ(ids(favs), (std::vector<std::string>{"sz000002", "sh600000", "x"}));
    EXPECT_EQ(favs[2].gpName, "");
}

TEST_F(SqliteDatabaseTest, SearchMatchesCodeOrNameAsLikePattern) {
    makeDb(std::string(kSchema) +
           "insert into QzSj values"
           " ('sh600519', '贵州茅台'), ('sz000600', '建投能源'), ('sz300001', '特锐德600'),"
           " ('sh600000', '浦发银行'), ('sz000004', 'ST国华'), ('sh601318', '中国平安'),"
           " ('sz000005', '*st星源'), ('sh000001', 'O''Neil'), (NULL, NULL);");
    ASSERT_TRUE(db_.open(dir_.path()));
    struct {
        QString text;
        int limit;
        std::vector<std::string> want;
        int total;
    } cases[] = {
        {"600", 10, {"sh600519", "sz000600", "sz300001", "sh600000"}, 4},
        {"600", 2, {"sh600519", "sz000600"}, 4},
        {"600", 0, {}, 4},
        {"%", 3, {"sh600519", "sz000600", "sz300001"}, 8},
        {"",
         100,
         {"sh600519", "sz000600", "sz300001", "sh600000", "sz000004", "sh601318", "sz000005",
          "sh000001"},
         8},
        {"sh60_", 10, {"sh600519", "sh600000", "sh601318"}, 3},
        {"6_0_1", 10, {"sh600519"}, 1},
        {"st", 10, {"sz000004", "sz000005"}, 2},
        {"SZ30", 10, {"sz300001"}, 1},
        {QString::fromUtf8("茅台"), 10, {"sh600519"}, 1},
        {"O'Neil", 10, {"sh000001"}, 1},
        {"'", 10, {"sh000001"}, 1},
        {"'; drop table QzSj; --", 10, {}, 0},
        {"%' or '1'='1", 10, {}, 0},
        {"\" ?1 \\ ) --", 10, {}, 0},
        {"999999", 10, {}, 0},
    };
    for (const auto& c : cases) {
        const auto got = db_.search(c.text, c.limit);
        EXPECT_EQ(ids(got.rows), c.want) << c.text.toStdString() << " limit " << c.limit;
        EXPECT_EQ(got.total, c.total) << c.text.toStdString();
    }
    EXPECT_EQ(db_.search(QString(60000, u'x'), 10).total, 0);  // over SQLite's pattern limit
    EXPECT_EQ(rows("select count(*) from QzSj"), std::vector<std::string>{"9"});
}

TEST_F(SqliteDatabaseTest, UnusableFilesFailQuietly) {
    auto expectNothing = [this](const char* what) {
        EXPECT_FALSE(db_.readSystem()) << what;
        EXPECT_FALSE(db_.saveLogin("Yes", "p", "u")) << what;
        EXPECT_TRUE(db_.favourites().empty()) << what;
        const auto found = db_.search("%", 10);
        EXPECT_TRUE(found.rows.empty()) << what;
        EXPECT_EQ(found.total, 0) << what;
    };

    EXPECT_FALSE(db_.open(dir_.path()));
    EXPECT_FALSE(QFile::exists(dbPath())) << "open must never create the database";
    expectNothing("missing");

    QByteArray garbage(8192, '\0');
    for (int i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 7919) ^ (i >> 3));
    for (const QByteArray& bytes : {garbage, QByteArrayLiteral("SQLite format 3\0garbage")}) {
        QFile f(dbPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        EXPECT_FALSE(db_.open(dir_.path()));
        expectNothing("garbage");
        QFile check(dbPath());
        ASSERT_TRUE(check.open(QIODevice::ReadOnly));
        EXPECT_EQ(check.readAll(), bytes) << "a broken file must be left as it was";
    }

    QFile::remove(dbPath());
    ASSERT_TRUE(QDir(dir_.path()).mkdir(vantorel::qt::kDatabaseFileName));
    EXPECT_FALSE(db_.open(dir_.path()));
    expectNothing("a folder");
    EXPECT_FALSE(db_.open(""));
    expectNothing("no folder");

    // An empty file is a database without tables to SQLite.
    QDir(dir_.path()).rmdir(vantorel::qt::kDatabaseFileName);
    QFile(dbPath()).open(QIODevice::WriteOnly);
    db_.open(dir_.path());
    expectNothing("empty file");
}

TEST_F(SqliteDatabaseTest, ReadOnlyFileIsReadButNotWritten) {
    makeDb(std::string(kSchema) +
           "insert into System values ('Yes', 'u', 'p');"
           "insert into QzSj values ('sh600519', '贵州茅台');");
    QFile::setPermissions(dbPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    {
        WithoutDacOverride asUser;
        ASSERT_TRUE(db_.open(dir_.path()));
        if (!db_.isReadOnly()) GTEST_SKIP() << "cannot make a read-only file here";
        EXPECT_EQ(db_.readSystem()->userName, "u");
        EXPECT_EQ(db_.search("600", 10).total, 1);
        EXPECT_FALSE(db_.saveLogin("No", "", ""));
    }
    EXPECT_EQ(rows("select * from System"), std::vector<std::string>{"Yes|u|p"});
}

// The database the build ships beside the program.
TEST(SqliteShippedDatabase, HoldsTheStockListAndADefaultLogin) {
    SqliteDatabase db;
    ASSERT_TRUE(db.open(VANTOREL_BIN_DIR));
    const auto system = db.readSystem();
    ASSERT_TRUE(system);
    EXPECT_EQ(system->autoLogin, "No");
    EXPECT_FALSE(system->userName);
    EXPECT_FALSE(system->passWord);

    QFile csv(VANTOREL_SOURCE_DIR "/data/stocks.csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> names;
    csv.readLine();
    while (!csv.atEnd()) {
        const QStringList f = QString::fromUtf8(csv.readLine()).trimmed().split(',');
        if (f.size() == 3) names.insert(f[0], f[1]);
    }
    EXPECT_EQ(db.search("", 1).total, names.size());

    const auto favs = db.favourites();
    EXPECT_GE(favs.size(), 8u);
    for (const auto& f : favs) EXPECT_EQ(names.value(f.gpId), f.gpName) << f.gpId.toStdString();

    const auto found = db.search(QString::fromUtf8("贵州茅台"), 5);
    ASSERT_EQ(found.total, 1);
    EXPECT_EQ(found.rows[0].gpId, "sh600519");
}

class SqliteMkdb : public ::testing::Test {
  protected:
    void write(const QString& name, const QByteArray& text) {
        QFile f(dir_.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    int run() {
        QProcess p;
        p.start(VANTOREL_BIN_DIR "/vantorel-mkdb",
                {dir_.filePath("s.csv"), dir_.filePath("f.csv"), dir_.filePath("QsDate.db")});
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit) return -1;
        return p.exitCode();
    }
    QTemporaryDir dir_;
};

TEST_F(SqliteMkdb, BuildsFromCsvWithQuotedFields) {
    write("s.csv", "GpID,GpName,Pinyin\r\nsh1,\"A, \"\"B\"\"\",AB\r\nsz2,C,C");
    write("f.csv", "GpID,GpName\nsz2,C\n");
    ASSERT_EQ(run(), 0);
    SqliteDatabase db;
    ASSERT_TRUE(db.open(dir_.path()));
    const auto all = db.search("", 10);
    ASSERT_EQ(all.total, 2);
    EXPECT_EQ(all.rows[0].gpName, "A, \"B\"");
    EXPECT_EQ(ids(db.favourites()), std::vector<std::string>{"sz2"});
    EXPECT_EQ(db.readSystem()->autoLogin, "No");
}

TEST_F(SqliteMkdb, RejectsMalformedRowsAndKeepsTheOldDatabase) {
    write("QsDate.db", "previous");
    const struct {
        const char* what;
        QByteArray stocks, favourites;
    } cases[] = {
        {"extra field", "GpID,GpName,Pinyin\nsh1,A,A,x\n", "GpID,GpName\n"},
        {"missing field", "GpID,GpName,Pinyin\nsh1,A\n", "GpID,GpName\n"},
        {"empty code", "GpID,GpName,Pinyin\n,A,A\n", "GpID,GpName\n"},
        {"empty name", "GpID,GpName,Pinyin\nsh1,,A\n", "GpID,GpName\n"},
        {"duplicate code", "GpID,GpName,Pinyin\nsh1,A,A\nsh1,B,B\n", "GpID,GpName\n"},
        {"stray quote", "GpID,GpName,Pinyin\nsh1,A\"B,A\n", "GpID,GpName\n"},
        {"open quote", "GpID,GpName,Pinyin\nsh1,\"A,A\n", "GpID,GpName\n"},
        {"not UTF-8", "GpID,GpName,Pinyin\nsh1,\xD6\xD0,A\n", "GpID,GpName\n"},
        {"no header columns", "Code,Name\nsh1,A\n", "GpID,GpName\n"},
        {"empty file", "", "GpID,GpName\n"},
        {"unknown favourite", "GpID,GpName,Pinyin\nsh1,A,A\n", "GpID,GpName\nsh2,A\n"},
        {"renamed favourite", "GpID,GpName,Pinyin\nsh1,A,A\n", "GpID,GpName\nsh1,B\n"},
    };
    for (const auto& c : cases) {
        write("s.csv", c.stocks);
        write("f.csv", c.favourites);
        EXPECT_EQ(run(), 1) << c.what;
    }
    QFile old(dir_.filePath("QsDate.db"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "previous");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 3) << "no temporary left over";
}

}  // namespace
