// s::str::NoCase -- the case-insensitive name comparison used for XML element
// and attribute names and for settings keys and values.
//
// Letters A-Z and a-z are folded; every other byte (including all of UTF-8
// beyond ASCII) compares exactly. This matches the collation the settings
// database applies to key and value names, so a name found in memory and a
// name found in the database agree.
#pragma once

#include <string_view>

namespace s::str {

class NoCase {
public:
    static constexpr char fold(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

    static constexpr bool equals(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (fold(a[i]) != fold(b[i])) return false;
        }
        return true;
    }
};

}  // namespace s::str
