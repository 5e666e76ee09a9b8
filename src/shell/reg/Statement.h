// s::reg::Statement -- one prepared SQL statement of the settings database,
// finalized when it goes out of scope.
//
// Errors are sticky: a failure while preparing or binding is returned by the
// next step(), so callers check one result. Column readers return what the
// row holds, unchecked; callers validate types and sizes themselves.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace s::reg {

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are numbered from 1.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::span<const std::uint8_t> data);

    // SQLITE_ROW, SQLITE_DONE, or the first error met.
    int step();
    // step() until done: SQLITE_OK on success.
    int run();

    int columnType(int column) const;
    std::int64_t columnInt64(int column) const;
    std::string_view columnText(int column) const;
    std::span<const std::uint8_t> columnBlob(int column) const;

    // Runs SQL without results (PRAGMA, BEGIN, COMMIT ...): SQLITE_OK or the error.
    static int exec(sqlite3* db, const char* sql);

private:
    sqlite3_stmt* stmt_ = nullptr;
    int rc_;
};

}  // namespace s::reg
