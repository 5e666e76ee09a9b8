#include "shell/xml/TextCursor.h"

#include <algorithm>

namespace s::xml {

void TextCursor::advance(std::size_t count) {
    pos_ = std::min(text_.size(), pos_ + count);
}

void TextCursor::skipWhitespace() {
    while (!atEnd() && isWhitespace(text_[pos_])) ++pos_;
}

bool TextCursor::skipTo(char c) {
    const std::size_t found = text_.find(c, pos_);
    pos_ = found == std::string_view::npos ? text_.size() : found;
    return found != std::string_view::npos;
}

bool TextCursor::skipPast(std::string_view token) {
    const std::size_t found = text_.find(token, pos_);
    pos_ = found == std::string_view::npos ? text_.size() : found + token.size();
    return found != std::string_view::npos;
}

std::string_view TextCursor::takeUntilAny(std::string_view stops) {
    const std::size_t start = std::min(pos_, text_.size());
    const std::size_t found = text_.find_first_of(stops, start);
    pos_ = found == std::string_view::npos ? text_.size() : found;
    return text_.substr(start, pos_ - start);
}

std::string_view TextCursor::take(std::size_t count) {
    const std::size_t start = std::min(pos_, text_.size());
    advance(count);
    return text_.substr(start, pos_ - start);
}

}  // namespace s::xml
