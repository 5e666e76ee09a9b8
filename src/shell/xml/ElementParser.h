// s::xml::ElementParser -- the single forward pass that turns document text
// into a tree of s::xml::Node.
//
// Raw substrings are copied without decoding entities. Each step of the
// element content (text run, end tag, child element) is a small handler
// picked from a table. Nesting is bounded: a child deeper than the limit ends
// the parse (the rest of the text is ignored, what was read is kept), so a
// hostile document cannot exhaust the stack.
#pragma once

#include <cstddef>
#include <string_view>

#include "shell/xml/TextCursor.h"

namespace s::xml {

class Node;

class ElementParser {
public:
    ElementParser(std::string_view text, std::size_t maxDepth)
        : cursor_(text), maxDepth_(maxDepth) {}

    // Skips to the first "<" and parses that element into node. Returns the
    // position after it (the end of the text when it ran out).
    std::size_t parseDocument(Node& node);

private:
    enum Step { kEndOfText, kTextRun, kEndTag, kChild, kStepCount };
    using Handler = bool (ElementParser::*)(Node& node, std::size_t depth);

    // The element whose "<" is at the cursor.
    void parseElement(Node& node, std::size_t depth);
    // Name, attributes and the end of the start tag; true when content follows.
    bool parseStartTag(Node& node);
    void parseContent(Node& node, std::size_t depth);

    Step nextStep() const;
    // Content handlers: each consumes one step and says whether the content goes on.
    bool onEndOfText(Node& node, std::size_t depth);
    bool onTextRun(Node& node, std::size_t depth);
    bool onEndTag(Node& node, std::size_t depth);
    bool onChild(Node& node, std::size_t depth);

    static const Handler kHandlers[kStepCount];

    TextCursor cursor_;
    std::size_t maxDepth_;
};

}  // namespace s::xml
