// s::reg::win::RegDir -- one key of the settings registry, named by its path
// below the user's root ("Software\\Zorq\\...\\MainWindow").
//
// The object holds the path, not a handle: each operation resolves the path
// inside its own transaction, so a key that another process deleted or
// re-created meanwhile is never written through a stale reference. Names of
// keys and values ignore letter case. Reads never create anything; a failed
// read answers "missing", a failed write is lost and reported by a false
// result.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/EasyPooler.h"
#include "foundation/IObject.h"
#include "shell/reg/KeyPath.h"
#include "shell/reg/RegValue.h"
#include "shell/reg/RegistryDb.h"

namespace s::reg::win {

class RegDir final : public s::base::IObject, public s::thread::IPoolable {
    TARVEX_POOLED(RegDir, "s_reg_win_RegDir")
public:
    struct Query {
        bool keyExists = false;
        std::optional<RegValue> value;  // missing, or unreadable
    };

    void reset() override;

    // Points this object at a key; nothing is opened or created yet. A path
    // that cannot name a key (an empty component, too deep) is remembered
    // but every operation on it fails.
    void set(std::shared_ptr<RegistryDb> db, std::string_view keyPath);
    const std::string& path() const { return text_; }

    bool exists() const;
    // Creates the key and every missing ancestor; true when it exists afterwards.
    bool create();
    Query query(std::string_view name) const;
    // Stores the value, creating the key (and ancestors) in the same transaction.
    bool setValue(std::string_view name, const RegValue& value);
    // Removes the value if present; returns whether the key exists.
    bool deleteValue(std::string_view name);
    std::vector<std::string> subkeyNames() const;
    // Removes the key with everything below it; true when something was removed.
    bool deleteTree();

private:
    bool usable() const { return db_ && path_; }

    std::shared_ptr<RegistryDb> db_;
    std::string text_;
    std::optional<KeyPath> path_;
};

}  // namespace s::reg::win
