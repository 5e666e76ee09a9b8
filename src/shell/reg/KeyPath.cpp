#include "shell/reg/KeyPath.h"

namespace s::reg {

std::optional<KeyPath> KeyPath::parse(std::string_view text) {
    while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    KeyPath path;
    while (!text.empty()) {
        const std::size_t cut = text.find('\\');
        const std::string_view name = text.substr(0, cut);
        if (name.empty() || name.size() > kMaxNameBytes) return std::nullopt;
        if (path.components_.size() == kMaxDepth) return std::nullopt;
        path.components_.emplace_back(name);
        text.remove_prefix(cut == std::string_view::npos ? text.size() : cut + 1);
    }
    return path;
}

}  // namespace s::reg
