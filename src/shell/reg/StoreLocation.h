// s::reg::StoreLocation -- where the settings live: the registry key paths of
// the product and the file that holds the current user's registry.
#pragma once

#include <string>
#include <string_view>

namespace s::reg {

class StoreLocation {
public:
    // The product's key; the "Silent" flag is a value of this key.
    static constexpr std::string_view kProductKey = "Software\\Zorq\\Zorq Tarvex";
    // The base key of the settings store.
    static constexpr std::string_view kSaveDataKey = "Software\\Zorq\\Zorq Tarvex\\SaveData";

    // ${XDG_CONFIG_HOME:-$HOME/.config}/zorq/registry.db, computed from the
    // environment at the time of the call. A relative XDG_CONFIG_HOME is
    // ignored; without HOME the password database names the home folder.
    // Empty when no folder can be found (the store then keeps nothing).
    static std::string databasePath();
};

}  // namespace s::reg
