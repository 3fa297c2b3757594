// Builds the shipped QsDate.db from the stock list and the default favourites.
//
//   vantorel-mkdb <stocks.csv> <favourites.csv> <output.db>
//
// Both files are UTF-8 CSV with a header naming at least GpID and GpName. Any malformed row stops
// the build: a broken table would only show when a user searches.

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Row {
    std::string id, name;
};

[[noreturn]] void fail(const std::string& where, const std::string& why) {
    throw std::runtime_error(where + ": " + why);
}

bool validUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        if (len == 0 || (len == 2 && c < 0xC2) || i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

// One CSV record; double quotes may wrap a field, "" inside is a quote.
std::vector<std::string> splitRecord(const std::string& line, const std::string& where) {
    std::vector<std::string> fields(1);
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == ',') {
            fields.emplace_back();
            wasQuoted = false;
        } else if (c == '"') {
            if (!fields.back().empty() || wasQuoted) fail(where, "stray quote");
            quoted = wasQuoted = true;
        } else {
            if (wasQuoted) fail(where, "text after a closing quote");
            fields.back() += c;
        }
    }
    if (quoted) fail(where, "unterminated quote");
    return fields;
}

std::vector<Row> readCsv(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, "cannot open");
    std::vector<Row> rows;
    std::map<std::string, size_t> seen;
    int idColumn = -1, nameColumn = -1;
    size_t columns = 0;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string where = path + ":" + std::to_string(number);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (line.empty()) continue;
        if (!validUtf8(line)) fail(where, "not UTF-8");
        const std::vector<std::string> fields = splitRecord(line, where);
        if (columns == 0) {
            columns = fields.size();
            for (size_t i = 0; i < fields.size(); ++i) {
                if (fields[i] == "GpID") idColumn = int(i);
                if (fields[i] == "GpName") nameColumn = int(i);
            }
            if (idColumn < 0 || nameColumn < 0) fail(where, "header lacks GpID or GpName");
            continue;
        }
        if (fields.size() != columns)
            fail(where,
                 std::to_string(fields.size()) + " fields, header has " + std::to_string(columns));
        Row row{fields[size_t(idColumn)], fields[size_t(nameColumn)]};
        if (row.id.empty() || row.name.empty()) fail(where, "empty GpID or GpName");
        for (unsigned char c : row.id)
            if (c <= ' ' || c == 0x7F) fail(where, "blank or control character in GpID");
        for (unsigned char c : row.name)
            if (c < ' ' || c == 0x7F) fail(where, "control character in GpName");
        if (!seen.emplace(row.id, number).second) fail(where, "duplicate GpID " + row.id);
        rows.push_back(std::move(row));
    }
    if (in.bad()) fail(path, "read error");
    if (columns == 0) fail(path, "no header");
    return rows;
}

class Database {
  public:
    explicit Database(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            fail(path, db_ ? sqlite3_errmsg(db_) : "cannot create");
    }
    ~Database() { sqlite3_close_v2(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) error(sql);
    }
    void insert(const char* table, const std::vector<Row>& rows) {
        const std::string sql =
            std::string("insert into [") + table + "] (GpID, GpName) values (?1, ?2)";
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            error(sql.c_str());
        for (const Row& r : rows) {
            sqlite3_bind_text(stmt, 1, r.id.data(), int(r.id.size()), SQLITE_STATIC);
            sqlite3_bind_text(stmt, 2, r.name.data(), int(r.name.size()), SQLITE_STATIC);
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                sqlite3_finalize(stmt);
                error(sql.c_str());
            }
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
    }
    void close() {
        if (sqlite3_close(db_) != SQLITE_OK) error("close");
        db_ = nullptr;
    }

  private:
    [[noreturn]] void error(const char* what) { fail(what, sqlite3_errmsg(db_)); }
    sqlite3* db_ = nullptr;
};

void build(const std::vector<Row>& stocks, const std::vector<Row>& favourites,
           const std::string& path) {
    Database db(path);
    db.exec("pragma journal_mode = delete");
    db.exec("begin");
    db.exec("create table [System] (AutoLogin TEXT, UserName TEXT, PassWord TEXT)");
    db.exec("create table [SearchList] (GpID TEXT, GpName TEXT)");
    db.exec("create table [QzSj] (GpID TEXT, GpName TEXT)");
    db.exec("insert into [System] (AutoLogin, UserName, PassWord) values ('No', NULL, NULL)");
    db.insert("QzSj", stocks);
    db.insert("SearchList", favourites);
    db.exec("commit");
    db.close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <stocks.csv> <favourites.csv> <output.db>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = argv[3];
    std::filesystem::path temp = output;
    temp += ".part" + std::to_string(getpid());
    try {
        const std::vector<Row> stocks = readCsv(argv[1]);
        const std::vector<Row> favourites = readCsv(argv[2]);
        if (stocks.empty()) fail(argv[1], "no stocks");
        std::map<std::string, std::string> names;
        for (const Row& s : stocks) names[s.id] = s.name;
        for (const Row& f : favourites) {
            const auto it = names.find(f.id);
            if (it == names.end() || it->second != f.name)
                fail(argv[2], "favourite " + f.id + " " + f.name + " is not in the stock list");
        }

        std::filesystem::remove(temp);
        build(stocks, favourites, temp.string());
        std::filesystem::rename(temp, output);
        std::printf("%s: %zu stocks, %zu favourites\n", output.c_str(), stocks.size(),
                    favourites.size());
        return 0;
    } catch (const std::exception& e) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        std::fprintf(stderr, "vantorel-mkdb: %s\n", e.what());
        return 1;
    }
}
