#include "shell/reg/Statement.h"

#include <sqlite3.h>

namespace s::reg {

Statement::Statement(sqlite3* db, std::string_view sql) {
    rc_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc_ == SQLITE_OK && !stmt_) rc_ = SQLITE_MISUSE;  // empty SQL
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (rc_ == SQLITE_OK) rc_ = sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (rc_ == SQLITE_OK) {
        rc_ = sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8);
    }
    return *this;
}

Statement& Statement::bindBlob(int index, std::span<const std::uint8_t> data) {
    // A zero-length blob still binds as a blob, not as NULL.
    static const std::uint8_t kEmpty = 0;
    if (rc_ == SQLITE_OK) {
        rc_ = sqlite3_bind_blob64(stmt_, index, data.empty() ? &kEmpty : data.data(), data.size(),
                                  SQLITE_TRANSIENT);
    }
    return *this;
}

int Statement::step() {
    if (rc_ != SQLITE_OK) return rc_;
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) rc_ = rc;
    return rc;
}

int Statement::run() {
    int rc;
    while ((rc = step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int Statement::columnType(int column) const {
    return sqlite3_column_type(stmt_, column);
}

std::int64_t Statement::columnInt64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return text && size > 0 ? std::string_view(text, std::size_t(size)) : std::string_view();
}

std::span<const std::uint8_t> Statement::columnBlob(int column) const {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    if (!data || size <= 0) return {};
    return {data, std::size_t(size)};
}

int Statement::exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

}  // namespace s::reg
