#pragma once

#include "platform/Ports.h"

struct sqlite3;

namespace vantorel::qt {

inline constexpr const char* kDatabaseFileName = "QsDate.db";

// The shipped database in the application directory. It is never created here: a missing or
// broken file makes open() fail and every later call return nothing.
class SqliteDatabase : public LocalDatabase {
  public:
    SqliteDatabase() = default;
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    bool open(const QString& appDir) override;
    std::optional<SystemRow> readSystem() override;
    bool saveLogin(const QString& autoLogin, const QString& passWord,
                   const QString& userName) override;
    std::vector<StockRow> favourites() override;
    SearchResult search(const QString& text, int limit) override;

    bool isReadOnly() const { return readOnly_; }

  private:
    void close();
    bool exec(const char* sql);

    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
};

}  // namespace vantorel::qt
