// s::reg::KeyPath -- a registry key path ("Software\\Zorq\\...") split into
// its components below the user's root key.
//
// Trailing backslashes are dropped. A path is refused (parse returns
// nothing) when a component is empty, longer than kMaxNameBytes, or when it
// has more than kMaxDepth components; such a key can neither be read nor
// created. The empty path is the root itself.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace s::reg {

class KeyPath {
public:
    static constexpr std::size_t kMaxNameBytes = 255;
    static constexpr std::size_t kMaxDepth = 512;

    static std::optional<KeyPath> parse(std::string_view text);

    const std::vector<std::string>& components() const { return components_; }
    bool isRoot() const { return components_.empty(); }

private:
    std::vector<std::string> components_;
};

}  // namespace s::reg
