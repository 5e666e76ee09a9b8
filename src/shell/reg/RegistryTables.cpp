#include "shell/reg/RegistryTables.h"

#include <sqlite3.h>

#include "shell/reg/Statement.h"

namespace s::reg {

int RegistryTables::findChild(sqlite3* db, KeyId parent, std::string_view name,
                              std::optional<KeyId>& out) {
    Statement query(db, "SELECT id FROM keys WHERE parent = ?1 AND name = ?2");
    query.bind(1, parent).bind(2, name);
    const int rc = query.step();
    out.reset();
    if (rc == SQLITE_ROW) out = query.columnInt64(0);
    return rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int RegistryTables::openKey(sqlite3* db, const KeyPath& path, std::optional<KeyId>& out) {
    out = kRoot;
    for (const std::string& name : path.components()) {
        std::optional<KeyId> child;
        const int rc = findChild(db, *out, name, child);
        out = child;
        if (rc != SQLITE_OK || !out) return rc;
    }
    return SQLITE_OK;
}

int RegistryTables::createKey(sqlite3* db, const KeyPath& path, KeyId& out) {
    out = kRoot;
    for (const std::string& name : path.components()) {
        std::optional<KeyId> child;
        int rc = findChild(db, out, name, child);
        if (rc != SQLITE_OK) return rc;
        if (!child) {
            Statement insert(db, "INSERT INTO keys(parent, name) VALUES(?1, ?2)");
            rc = insert.bind(1, out).bind(2, name).run();
            if (rc != SQLITE_OK) return rc;
            child = sqlite3_last_insert_rowid(db);
        }
        out = *child;
    }
    return SQLITE_OK;
}

int RegistryTables::subkeyNames(sqlite3* db, KeyId key, std::vector<std::string>& out) {
    out.clear();
    Statement query(db, "SELECT name FROM keys WHERE parent = ?1 ORDER BY id");
    query.bind(1, key);
    int rc;
    while ((rc = query.step()) == SQLITE_ROW) out.emplace_back(query.columnText(0));
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int RegistryTables::deleteTree(sqlite3* db, KeyId key) {
    // UNION (not UNION ALL) so a damaged file whose parent links form a
    // cycle still ends the walk.
    static constexpr const char* kSubtree =
        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION "
        "SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) ";
    Statement values(db, std::string(kSubtree) + "DELETE FROM vals WHERE key IN sub");
    int rc = values.bind(1, key).run();
    if (rc != SQLITE_OK) return rc;
    Statement keys(db, std::string(kSubtree) + "DELETE FROM keys WHERE id IN sub");
    return keys.bind(1, key).run();
}

int RegistryTables::queryValue(sqlite3* db, KeyId key, std::string_view name,
                               std::optional<RegValue>& out) {
    out.reset();
    // typeof and length read only the record header, so an oversized blob
    // is refused without being loaded.
    Statement query(db,
                    "SELECT type, typeof(data) = 'blob' AND length(data) <= ?3,"
                    " CASE WHEN typeof(data) = 'blob' AND length(data) <= ?3 THEN data END"
                    " FROM vals WHERE key = ?1 AND name = ?2");
    query.bind(1, key).bind(2, name).bind(3, std::int64_t(kMaxValueBytes));
    const int rc = query.step();
    if (rc == SQLITE_DONE) return SQLITE_OK;
    if (rc != SQLITE_ROW) return rc;
    const std::int64_t type = query.columnInt64(0);
    if (query.columnType(0) != SQLITE_INTEGER || type < 0 || type > 0xFFFFFFFFLL) return SQLITE_OK;
    if (query.columnInt64(1) != 1) return SQLITE_OK;
    const std::span<const std::uint8_t> data = query.columnBlob(2);
    if (data.size() > kMaxValueBytes) return SQLITE_OK;
    out = RegValue{static_cast<std::uint32_t>(type), {data.begin(), data.end()}};
    return SQLITE_OK;
}

int RegistryTables::setValue(sqlite3* db, KeyId key, std::string_view name, const RegValue& value) {
    if (value.data.size() > kMaxValueBytes || name.size() > kMaxValueNameBytes) {
        return SQLITE_TOOBIG;
    }
    Statement upsert(db,
                     "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4)"
                     " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type,"
                     " data = excluded.data");
    return upsert.bind(1, key)
        .bind(2, name)
        .bind(3, std::int64_t(value.type))
        .bindBlob(4, value.data)
        .run();
}

int RegistryTables::deleteValue(sqlite3* db, KeyId key, std::string_view name, bool& outExisted) {
    Statement remove(db, "DELETE FROM vals WHERE key = ?1 AND name = ?2");
    const int rc = remove.bind(1, key).bind(2, name).run();
    outExisted = rc == SQLITE_OK && sqlite3_changes(db) > 0;
    return rc;
}

}  // namespace s::reg
