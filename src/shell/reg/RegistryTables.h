// s::reg::RegistryTables -- the registry operations on the settings
// database: keys with case-insensitive names in a tree below the user's root,
// and typed values in those keys.
//
// Every function runs inside a transaction opened by RegistryDb and returns
// SQLITE_OK or the SQLite error met; "not found" is an answer, not an error.
// Rows are untrusted: a value whose type or data is out of shape, or whose
// data exceeds kMaxValueBytes, is reported as unreadable without its data
// ever being loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/reg/KeyPath.h"
#include "shell/reg/RegValue.h"

struct sqlite3;

namespace s::reg {

class RegistryTables {
public:
    using KeyId = std::int64_t;
    static constexpr KeyId kRoot = 0;  // the user's root key (no row of its own)
    static constexpr std::size_t kMaxValueBytes = std::size_t{1} << 20;
    static constexpr std::size_t kMaxValueNameBytes = 16383;

    // The key at path, or nothing when a component is missing.
    static int openKey(sqlite3* db, const KeyPath& path, std::optional<KeyId>& out);
    // The key at path, creating it and every missing ancestor.
    static int createKey(sqlite3* db, const KeyPath& path, KeyId& out);
    // Names of the direct subkeys, in creation order.
    static int subkeyNames(sqlite3* db, KeyId key, std::vector<std::string>& out);
    // Removes the key, all keys below it and all their values.
    static int deleteTree(sqlite3* db, KeyId key);

    // Nothing when the value is missing or unreadable.
    static int queryValue(sqlite3* db, KeyId key, std::string_view name,
                          std::optional<RegValue>& out);
    static int setValue(sqlite3* db, KeyId key, std::string_view name, const RegValue& value);
    static int deleteValue(sqlite3* db, KeyId key, std::string_view name, bool& outExisted);

private:
    static int findChild(sqlite3* db, KeyId parent, std::string_view name,
                         std::optional<KeyId>& out);
};

}  // namespace s::reg
