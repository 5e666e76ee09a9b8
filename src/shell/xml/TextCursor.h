// s::xml::TextCursor -- a forward-only position in the text of an XML
// document, with the few scans the parser needs.
//
// The text ends at its last byte or at the first NUL, whichever comes first;
// no scan ever looks past that end, and a scan that meets it stops there.
#pragma once

#include <cstddef>
#include <string_view>

namespace s::xml {

class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t end() const { return text_.size(); }
    // The character at the cursor (plus offset), or NUL past the end.
    char peek(std::size_t offset = 0) const {
        return pos_ + offset < text_.size() ? text_[pos_ + offset] : '\0';
    }
    void advance(std::size_t count = 1);
    void moveToEnd() { pos_ = text_.size(); }

    // Skips space, tab, line feed and carriage return.
    void skipWhitespace();
    // Moves to the next occurrence of c (true) or to the end (false).
    bool skipTo(char c);
    // Moves just past the next occurrence of token (true) or to the end (false).
    bool skipPast(std::string_view token);
    // Returns the run up to (not including) the first character of stops, or
    // to the end, and moves to that character.
    std::string_view takeUntilAny(std::string_view stops);
    // Returns up to count characters and moves past them.
    std::string_view take(std::size_t count);

    static bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace s::xml
