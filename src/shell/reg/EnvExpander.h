// s::reg::EnvExpander -- expands "%NAME%" references in an expandable
// settings string with the values of environment variables.
//
// A reference to a variable that is not set, and a lone "%", stay as
// written. A result longer than kMaxUnits UTF-16 units (the room an
// expandable value has) is refused, and the caller keeps the text unexpanded.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace s::reg {

class EnvExpander {
public:
    static constexpr std::size_t kMaxUnits = 519;  // 520 with the terminating NUL

    static std::optional<std::string> expand(std::string_view text);
};

}  // namespace s::reg
