// s::xml::Node -- one element of a parsed XML document: a name, ordered
// child elements and an ordered attribute list.
//
// The reader knows elements, double-quoted attributes, text and comments,
// and nothing else. Every value stays in the tree in its escaped (document)
// form; an element's text is kept as attributes with an empty name, one per
// run of text (comments split a run). The getters unescape only what is read.
//
// Input is untrusted and never fails loudly: malformed text yields whatever
// the parsing rules produce, a NUL or the end of the text ends parsing where
// it stands, nesting deeper than kMaxDepth ends it too (keeping what was read),
// and a file that cannot be read leaves the node empty.
//
// Nodes are pooled; children are owned and go back to the pool when removed
// or cleared. A node is used from one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/EasyPooler.h"
#include "shell/xml/Attributes.h"
#include "shell/xml/IXml.h"

namespace s::file::win {
class PathWin;
}

namespace s::xml {

class Node final : public IXml, public s::thread::IPoolable {
public:
    static constexpr std::size_t kMaxDepth = 256;
    // Larger files are not read at all (the language pack is a few MiB).
    static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{64} << 20;

    // Pooling. A released node is cleared before it enters the pool, so its
    // children go back to the pool first.
    static s::thread::EasyPooler<Node>& pool();
    static s::thread::Pooled<Node> take() { return pool().take(); }
    void release() override;
    void reset() override { clear(); }
    const char* getClassName() const override { return "s_xml_Node"; }

    Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    std::size_t childCount() const { return children_.size(); }
    // Frees the name and attributes and returns all children to the pool.
    void clear();

    // Parses the first element of text into this (empty) node and returns the
    // position just after it (the end of the text when it ran out).
    std::size_t parse(std::string_view text);
    // Same for UTF-8 bytes of unknown quality: ill-formed sequences become U+FFFD.
    std::size_t parseUtf8(std::string_view bytes);
    // Reads the whole file and parses it; false (node untouched) when the file
    // cannot be read or exceeds kMaxFileBytes.
    bool loadFile(const std::string& path);
    bool loadFile(const s::file::win::PathWin& path);

    const std::string& name() const { return name_; }
    // length -1: all of text (up to a NUL); otherwise at most length bytes.
    void setName(std::string_view text, int length = -1);
    // length -1: the whole name, ignoring case. Otherwise exactly `length`
    // characters of text, case-sensitively, and the name must be that long.
    // A node without a name never matches.
    bool nameEquals(std::string_view text, int length = -1) const;
    bool isComment() const { return !name_.empty() && name_[0] == '!'; }

    // The child at index, or null when index is out of range.
    Node* child(std::size_t index) const;
    // Takes a node from the pool, names it and appends it (null when no node can be had).
    Node* addChild(std::string_view name, int length = -1);
    Node* appendChild(s::thread::Pooled<Node> node);
    void removeChild(std::size_t index);
    bool findChild(std::string_view name, std::size_t* outIndex, int length = -1) const;
    Node* getChild(std::string_view name, int length = -1) const;

    // Typed reads of an attribute (name "" reads the first text run). Each
    // returns the default when no attribute has that name.
    std::string getRaw(std::string_view name, std::string_view def) const;
    // True when the stored value begins with "1" or "true" (case-sensitive).
    bool getBool(std::string_view name, bool def) const;
    std::int8_t getInt8(std::string_view name, std::int8_t def) const;
    std::int16_t getInt16(std::string_view name, std::int16_t def) const;
    std::int32_t getInt32(std::string_view name, std::int32_t def) const;
    std::int64_t getInt64(std::string_view name, std::int64_t def) const;
    std::uint8_t getUInt8(std::string_view name, std::uint8_t def) const;
    std::uint16_t getUInt16(std::string_view name, std::uint16_t def) const;
    std::uint32_t getUInt32(std::string_view name, std::uint32_t def) const;
    std::uint64_t getUInt64(std::string_view name, std::uint64_t def) const;
    // Unescapes the value (or copies the default) into target, replacing its
    // content or appending to it.
    void getString(std::string& target, std::string_view name, std::string_view def,
                   bool append = false) const;
    std::string getString(std::string_view name, std::string_view def) const;

    Attributes& attributes() { return attributes_; }
    const Attributes& attributes() const { return attributes_; }

private:
    const Attribute* record(std::string_view name) const { return attributes_.record(name); }

    std::string name_;
    std::vector<s::thread::Pooled<Node>> children_;
    Attributes attributes_;
};

}  // namespace s::xml
