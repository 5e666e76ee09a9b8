#include "shell/xml/Unescaper.h"

#include <span>

#include "shell/xml/TextCursor.h"

namespace s::xml {

namespace {

struct Entity {
    std::string_view code;
    char character;
    bool survivesTrim;  // written whitespace that trimming must keep
};

constexpr Entity kAttributeEntities[] = {
    {"&amp;", '&', false},  {"&lt;", '<', false},   {"&quot;", '"', false},
    {"&#13;", '\r', false}, {"&#10;", '\n', false},
};

constexpr Entity kTextEntities[] = {
    {"&amp;", '&', false}, {"&lt;", '<', false},  {"&gt;", '>', false},
    {"&#160;", ' ', true}, {"&#13;", '\r', true}, {"&#10;", '\n', true},
};

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// Decodes raw into out with the given entities. Returns the length of out
// just after the last character that must survive trimming (out's initial
// length when there is none).
std::size_t decode(std::string& out, std::string_view raw, std::span<const Entity> entities) {
    std::size_t keep = out.size();
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const std::size_t amp = raw.find('&', pos);
        out.append(raw.substr(pos, amp == std::string_view::npos ? raw.npos : amp - pos));
        if (amp == std::string_view::npos) break;
        pos = amp + 1;
        const Entity* match = nullptr;
        for (const Entity& entity : entities) {
            if (raw.substr(amp).starts_with(entity.code)) {
                match = &entity;
                break;
            }
        }
        if (!match) {
            out += '&';
            continue;
        }
        out += match->character;
        pos = amp + match->code.size();
        if (match->survivesTrim) keep = out.size();
    }
    return keep;
}

void trimEnd(std::string& out, std::size_t keep) {
    while (out.size() > keep) {
        const char last = out.back();
        if (last == ' ' || last == '\n' || last == '\t' || last == '\r') {
            out.pop_back();
        } else if (out.size() - keep >= kIdeographicSpace.size() &&
                   std::string_view(out).ends_with(kIdeographicSpace)) {
            out.resize(out.size() - kIdeographicSpace.size());
        } else {
            return;
        }
    }
}

}  // namespace

void Unescaper::appendAttribute(std::string& out, std::string_view raw) {
    decode(out, raw, kAttributeEntities);
}

void Unescaper::appendText(std::string& out, std::string_view raw) {
    std::size_t start = 0;
    while (start < raw.size() && TextCursor::isWhitespace(raw[start])) ++start;
    const std::size_t keep = decode(out, raw.substr(start), kTextEntities);
    trimEnd(out, keep);
}

}  // namespace s::xml
