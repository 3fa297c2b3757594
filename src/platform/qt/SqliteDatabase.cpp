#include "platform/qt/SqliteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace vantorel::qt {

namespace {

// Finalizes on every path out of a query.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (db && sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }

    bool bind(int index, const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        // A non-null pointer even for an empty string: null would bind SQL NULL.
        return sqlite3_bind_text(stmt_, index, utf8.isNull() ? "" : utf8.constData(),
                                 int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    int step() { return sqlite3_step(stmt_); }

    std::optional<QString> text(int column) const {
        if (sqlite3_column_type(stmt_, column) == SQLITE_NULL) return std::nullopt;
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, column));
    }
    QString textOrEmpty(int column) const { return text(column).value_or(QString()); }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace

SqliteDatabase::~SqliteDatabase() {
    close();
}

void SqliteDatabase::close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    readOnly_ = false;
}

bool SqliteDatabase::exec(const char* sql) {
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SqliteDatabase::open(const QString& appDir) {
    close();
    const QString path = QDir(appDir).filePath(QString::fromLatin1(kDatabaseFileName));
    // SQLite would treat an empty file name as a private temporary database.
    if (appDir.isEmpty() || !QFileInfo(path).isFile()) return false;
    const QByteArray name = QFile::encodeName(path);

    auto attempt = [&](int flags) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(name.constData(), &db, flags, nullptr) == SQLITE_OK) {
            db_ = db;
            return true;
        }
        sqlite3_close_v2(db);
        return false;
    };
    if (!attempt(SQLITE_OPEN_READWRITE)) {
        if (!attempt(SQLITE_OPEN_READONLY)) return false;
    }
    readOnly_ = sqlite3_db_readonly(db_, "main") == 1;
    // Another copy of the program may hold a write lock for a moment.
    sqlite3_busy_timeout(db_, 2000);

    // Opening is lazy: a file of another kind only shows on the first real read.
    Statement probe(db_, "select count(*) from sqlite_master");
    if (!probe || probe.step() != SQLITE_ROW) {
        close();
        return false;
    }
    return true;
}

std::optional<SystemRow> SqliteDatabase::readSystem() {
    Statement q(db_, "select AutoLogin, UserName, PassWord from [System] order by rowid limit 1");
    if (!q || q.step() != SQLITE_ROW) return std::nullopt;
    SystemRow row;
    row.autoLogin = q.textOrEmpty(0);
    row.userName = q.text(1);
    row.passWord = q.text(2);
    return row;
}

bool SqliteDatabase::saveLogin(const QString& autoLogin, const QString& passWord,
                               const QString& userName) {
    if (!db_ || readOnly_) return false;
    if (!exec("begin immediate")) return false;
    bool ok = false;
    {
        Statement update(db_,
                         "update [System] set AutoLogin = ?1, PassWord = ?2, UserName = ?3 "
                         "where rowid = (select rowid from [System] order by rowid limit 1)");
        ok = update && update.bind(1, autoLogin) && update.bind(2, passWord) &&
             update.bind(3, userName) && update.step() == SQLITE_DONE;
    }
    if (ok && sqlite3_changes(db_) == 0) {
        Statement insert(
            db_, "insert into [System] (AutoLogin, PassWord, UserName) values (?1, ?2, ?3)");
        ok = insert && insert.bind(1, autoLogin) && insert.bind(2, passWord) &&
             insert.bind(3, userName) && insert.step() == SQLITE_DONE;
    }
    if (ok && exec("commit")) return true;
    exec("rollback");
    return false;
}

std::vector<StockRow> SqliteDatabase::favourites() {
    std::vector<StockRow> rows;
    Statement q(db_, "select GpID, GpName from [SearchList]");
    if (!q) return rows;
    while (q.step() == SQLITE_ROW) rows.push_back({q.textOrEmpty(0), q.textOrEmpty(1)});
    return rows;
}

SearchResult SqliteDatabase::search(const QString& text, int limit) {
    SearchResult result;
    // The text is a LIKE pattern on purpose: "%" and "_" in it are wildcards.
    Statement q(db_,
                "select GpID, GpName from [QzSj] "
                "where GpID like '%' || ?1 || '%' or GpName like '%' || ?1 || '%'");
    if (!q || !q.bind(1, text)) return result;
    int rc;
    while ((rc = q.step()) == SQLITE_ROW) {
        if (result.total < limit) result.rows.push_back({q.textOrEmpty(0), q.textOrEmpty(1)});
        ++result.total;
    }
    // A failed scan (pattern too long, damaged page) reports nothing rather than half a count.
    if (rc != SQLITE_DONE) result = {};
    return result;
}

}  // namespace vantorel::qt
