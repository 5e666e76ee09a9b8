#include "shell/reg/win/RegDir.h"

#include <sqlite3.h>

#include "shell/reg/RegistryTables.h"

namespace s::reg::win {

using Access = RegistryDb::Access;
using KeyId = RegistryTables::KeyId;

void RegDir::reset() {
    db_.reset();
    text_.clear();
    path_.reset();
}

void RegDir::set(std::shared_ptr<RegistryDb> db, std::string_view keyPath) {
    db_ = std::move(db);
    text_.assign(keyPath);
    path_ = KeyPath::parse(keyPath);
}

bool RegDir::exists() const {
    if (!usable()) return false;
    std::optional<KeyId> key;
    const bool read = db_->run(
        Access::Read, [&](sqlite3* db) { return RegistryTables::openKey(db, *path_, key); });
    return read && key;
}

bool RegDir::create() {
    if (!usable()) return false;
    return db_->run(Access::Write, [&](sqlite3* db) {
        KeyId key = 0;
        return RegistryTables::createKey(db, *path_, key);
    });
}

RegDir::Query RegDir::query(std::string_view name) const {
    Query result;
    if (!usable()) return result;
    const bool read = db_->run(Access::Read, [&](sqlite3* db) {
        std::optional<KeyId> key;
        int rc = RegistryTables::openKey(db, *path_, key);
        if (rc != SQLITE_OK || !key) return rc;
        result.keyExists = true;
        return RegistryTables::queryValue(db, *key, name, result.value);
    });
    if (!read) result = Query{};
    return result;
}

bool RegDir::setValue(std::string_view name, const RegValue& value) {
    if (!usable()) return false;
    return db_->run(Access::Write, [&](sqlite3* db) {
        KeyId key = 0;
        const int rc = RegistryTables::createKey(db, *path_, key);
        return rc != SQLITE_OK ? rc : RegistryTables::setValue(db, key, name, value);
    });
}

bool RegDir::deleteValue(std::string_view name) {
    // Looked up first, so deleting from a key that does not exist writes
    // nothing (and creates no file).
    if (!exists()) return false;
    bool keyExists = false;
    const bool written = db_->run(Access::Write, [&](sqlite3* db) {
        std::optional<KeyId> key;
        int rc = RegistryTables::openKey(db, *path_, key);
        if (rc != SQLITE_OK || !key) return rc;
        keyExists = true;
        bool existed = false;
        return RegistryTables::deleteValue(db, *key, name, existed);
    });
    return written && keyExists;
}

std::vector<std::string> RegDir::subkeyNames() const {
    std::vector<std::string> names;
    if (!usable()) return names;
    const bool read = db_->run(Access::Read, [&](sqlite3* db) {
        std::optional<KeyId> key;
        const int rc = RegistryTables::openKey(db, *path_, key);
        if (rc != SQLITE_OK || !key) return rc;
        return RegistryTables::subkeyNames(db, *key, names);
    });
    if (!read) names.clear();
    return names;
}

bool RegDir::deleteTree() {
    // Looked up first, so deleting a key that does not exist writes nothing
    // (and creates no file).
    if (!exists()) return false;
    bool removed = false;
    const bool written = db_->run(Access::Write, [&](sqlite3* db) {
        std::optional<KeyId> key;
        const int rc = RegistryTables::openKey(db, *path_, key);
        if (rc != SQLITE_OK || !key) return rc;
        removed = true;
        return RegistryTables::deleteTree(db, *key);
    });
    return written && removed;
}

}  // namespace s::reg::win
