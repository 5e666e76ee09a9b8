// s::xml::Unescaper -- turns a value stored in its document (escaped) form
// into the text a reader wants. Values are kept escaped in the tree and
// unescaped only when read, so parsing a large document never decodes
// entities it does not need.
//
// Named attributes: "&amp;", "&lt;", "&quot;", "&#13;" and "&#10;" are
// decoded; any other "&" (including "&gt;") stays literal; nothing is trimmed.
//
// Element text: raw whitespace (space, tab, CR, LF) is skipped at the start;
// "&amp;", "&lt;", "&gt;", "&#160;" (a plain space), "&#13;" and "&#10;" are
// decoded; any other "&" stays literal; trailing space, LF, tab, CR and
// U+3000 are removed, but never a character that came from "&#160;", "&#13;"
// or "&#10;" nor anything before it. Whitespace written as an entity thus
// survives at both ends, raw whitespace does not.
#pragma once

#include <string>
#include <string_view>

namespace s::xml {

class Unescaper {
public:
    // Append the unescaped value to out; out's earlier content is never trimmed.
    static void appendAttribute(std::string& out, std::string_view raw);
    static void appendText(std::string& out, std::string_view raw);

    static std::string attribute(std::string_view raw) {
        std::string out;
        appendAttribute(out, raw);
        return out;
    }
    static std::string text(std::string_view raw) {
        std::string out;
        appendText(out, raw);
        return out;
    }
};

}  // namespace s::xml
