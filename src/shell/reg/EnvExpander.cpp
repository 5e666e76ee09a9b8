#include "shell/reg/EnvExpander.h"

#include <cstdlib>

#include "shell/text/Utf8.h"

namespace s::reg {

std::optional<std::string> EnvExpander::expand(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, open - pos));
        const std::string name(text.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out.append(value);
        } else {
            out.append(text.substr(open, close - open + 1));
        }
        pos = close + 1;
    }
    if (s::str::Utf8::toUtf16(out).size() > kMaxUnits) return std::nullopt;
    return out;
}

}  // namespace s::reg
