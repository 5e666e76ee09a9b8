#include "shell/xml/ElementParser.h"

#include "shell/xml/Node.h"

namespace s::xml {

const ElementParser::Handler ElementParser::kHandlers[kStepCount] = {
    &ElementParser::onEndOfText,
    &ElementParser::onTextRun,
    &ElementParser::onEndTag,
    &ElementParser::onChild,
};

std::size_t ElementParser::parseDocument(Node& node) {
    // Whatever precedes the first "<" (a byte-order mark, stray text) is ignored.
    if (cursor_.skipTo('<')) parseElement(node, 0);
    return cursor_.position();
}

void ElementParser::parseElement(Node& node, std::size_t depth) {
    if (parseStartTag(node)) parseContent(node, depth);
}

bool ElementParser::parseStartTag(Node& node) {
    cursor_.advance();  // "<"
    cursor_.skipWhitespace();
    // "<!" names the node with the "!" and the two characters after it ("!--").
    const std::string_view name =
        cursor_.peek() == '!' ? cursor_.take(3) : cursor_.takeUntilAny(" \t\n\r/>");
    node.setName(name);
    if (node.isComment()) {
        cursor_.skipPast("-->");
        return false;
    }
    node.attributes().parseList(cursor_);
    cursor_.takeUntilAny(">/");
    if (cursor_.atEnd()) return false;
    if (cursor_.peek() == '/') {  // self-closing
        cursor_.skipTo('>');
        cursor_.advance();
        return false;
    }
    cursor_.advance();  // ">"
    return true;
}

void ElementParser::parseContent(Node& node, std::size_t depth) {
    for (;;) {
        cursor_.skipWhitespace();
        if (!(this->*kHandlers[nextStep()])(node, depth)) return;
    }
}

ElementParser::Step ElementParser::nextStep() const {
    if (cursor_.atEnd()) return kEndOfText;
    if (cursor_.peek() != '<') return kTextRun;
    return cursor_.peek(1) == '/' ? kEndTag : kChild;
}

bool ElementParser::onEndOfText(Node&, std::size_t) {
    return false;
}

bool ElementParser::onTextRun(Node& node, std::size_t) {
    // Trailing whitespace stays in the stored run; reading trims it.
    node.attributes().add("", cursor_.takeUntilAny("<"));
    return true;
}

bool ElementParser::onEndTag(Node&, std::size_t) {
    // Any end tag closes the current element; its name is not checked.
    cursor_.skipTo('>');
    cursor_.advance();
    return false;
}

bool ElementParser::onChild(Node& node, std::size_t depth) {
    s::thread::Pooled<Node> child;
    if (depth < maxDepth_) child = Node::take();
    if (!child) {  // too deep, or no memory: stop reading, keep the tree so far
        cursor_.moveToEnd();
        return false;
    }
    parseElement(*child, depth + 1);
    if (!child->isComment()) node.appendChild(std::move(child));
    return true;
}

}  // namespace s::xml
