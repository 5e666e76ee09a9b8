#include "shell/xml/Node.h"

#include <new>

#include "foundation/FileInputStream.h"
#include "foundation/PathWin.h"
#include "shell/text/DecimalText.h"
#include "shell/text/NoCase.h"
#include "shell/text/Utf8.h"
#include "shell/xml/ElementParser.h"
#include "shell/xml/Unescaper.h"

namespace s::xml {

namespace {

// The part of text a (text, length) pair names: length -1 runs to the first
// NUL, an explicit length is capped at the text's size.
std::string_view span(std::string_view text, int length) {
    if (length < 0) return text.substr(0, text.find('\0'));
    return text.substr(0, static_cast<std::size_t>(length));
}

}  // namespace

s::thread::EasyPooler<Node>& Node::pool() {
    static s::thread::EasyPooler<Node> instance;
    return instance;
}

void Node::release() {
    // Children are released here, outside the pool's lock: the pool resets a
    // node under its lock, and a reset that released children into the same
    // pool would take that lock again.
    clear();
    pool().put(this);
}

void Node::clear() {
    name_ = std::string();
    attributes_.clear();
    children_.clear();
}

std::size_t Node::parse(std::string_view text) {
    ElementParser parser(text, kMaxDepth);
    try {
        return parser.parseDocument(*this);
    } catch (const std::bad_alloc&) {
        return text.size();  // keep what was read
    }
}

std::size_t Node::parseUtf8(std::string_view bytes) {
    try {
        return parse(s::str::Utf8::sanitize(bytes));
    } catch (const std::bad_alloc&) {
        return bytes.size();
    }
}

bool Node::loadFile(const std::string& path) {
    s::thread::Pooled<s::file::win::FileInputStream> in = s::file::win::FileInputStream::take();
    if (!in || !in->open(path)) return false;
    const std::uint64_t size = in->size();
    if (size > kMaxFileBytes) return false;
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!in->readFully(bytes.data(), bytes.size())) return false;
    parseUtf8(bytes);
    return true;
}

bool Node::loadFile(const s::file::win::PathWin& path) {
    return loadFile(path.fullPath());
}

void Node::setName(std::string_view text, int length) {
    name_.assign(span(text, length));
}

bool Node::nameEquals(std::string_view text, int length) const {
    if (name_.empty()) return false;
    if (length < 0) return s::str::NoCase::equals(name_, span(text, length));
    const auto wanted = static_cast<std::size_t>(length);
    return wanted <= text.size() && name_ == text.substr(0, wanted);
}

Node* Node::child(std::size_t index) const {
    return index < children_.size() ? children_[index].get() : nullptr;
}

Node* Node::addChild(std::string_view name, int length) {
    s::thread::Pooled<Node> node = take();
    if (!node) return nullptr;
    node->setName(name, length);
    return appendChild(std::move(node));
}

Node* Node::appendChild(s::thread::Pooled<Node> node) {
    if (!node) return nullptr;
    Node* raw = node.get();
    try {
        children_.push_back(std::move(node));
    } catch (const std::bad_alloc&) {
        return nullptr;  // the node went back to its pool
    }
    return raw;
}

void Node::removeChild(std::size_t index) {
    if (index < children_.size()) children_.erase(children_.begin() + std::ptrdiff_t(index));
}

bool Node::findChild(std::string_view name, std::size_t* outIndex, int length) const {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (children_[i]->nameEquals(name, length)) {
            if (outIndex) *outIndex = i;
            return true;
        }
    }
    return false;
}

Node* Node::getChild(std::string_view name, int length) const {
    std::size_t index = 0;
    return findChild(name, &index, length) ? children_[index].get() : nullptr;
}

std::string Node::getRaw(std::string_view name, std::string_view def) const {
    const Attribute* found = record(name);
    return std::string(found ? std::string_view(found->value) : def);
}

bool Node::getBool(std::string_view name, bool def) const {
    const Attribute* found = record(name);
    if (!found) return def;
    const std::string_view value = found->value;
    return value.starts_with("1") || value.starts_with("true");
}

std::int8_t Node::getInt8(std::string_view name, std::int8_t def) const {
    const Attribute* found = record(name);
    return found ? static_cast<std::int8_t>(s::str::DecimalText::toInt32(found->value)) : def;
}

std::int16_t Node::getInt16(std::string_view name, std::int16_t def) const {
    const Attribute* found = record(name);
    return found ? static_cast<std::int16_t>(s::str::DecimalText::toInt32(found->value)) : def;
}

std::int32_t Node::getInt32(std::string_view name, std::int32_t def) const {
    const Attribute* found = record(name);
    return found ? s::str::DecimalText::toInt32(found->value) : def;
}

std::int64_t Node::getInt64(std::string_view name, std::int64_t def) const {
    const Attribute* found = record(name);
    return found ? s::str::DecimalText::toInt64(found->value) : def;
}

std::uint8_t Node::getUInt8(std::string_view name, std::uint8_t def) const {
    const Attribute* found = record(name);
    return found ? static_cast<std::uint8_t>(s::str::DecimalText::toUInt32(found->value)) : def;
}

std::uint16_t Node::getUInt16(std::string_view name, std::uint16_t def) const {
    const Attribute* found = record(name);
    return found ? static_cast<std::uint16_t>(s::str::DecimalText::toUInt32(found->value)) : def;
}

std::uint32_t Node::getUInt32(std::string_view name, std::uint32_t def) const {
    const Attribute* found = record(name);
    return found ? s::str::DecimalText::toUInt32(found->value) : def;
}

std::uint64_t Node::getUInt64(std::string_view name, std::uint64_t def) const {
    const Attribute* found = record(name);
    return found ? static_cast<std::uint64_t>(s::str::DecimalText::toInt64(found->value)) : def;
}

void Node::getString(std::string& target, std::string_view name, std::string_view def,
                     bool append) const {
    // Built aside so a default that views target itself stays intact.
    std::string value;
    const Attribute* found = record(name);
    if (!found) {
        value.assign(def);
    } else if (found->isText()) {
        Unescaper::appendText(value, found->value);
    } else {
        Unescaper::appendAttribute(value, found->value);
    }
    if (append) {
        target += value;
    } else {
        target = std::move(value);
    }
}

std::string Node::getString(std::string_view name, std::string_view def) const {
    std::string out;
    getString(out, name, def);
    return out;
}

}  // namespace s::xml
