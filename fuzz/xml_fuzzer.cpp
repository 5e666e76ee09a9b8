// Fuzz target: the XML reader. Parses the input both as raw text and as
// UTF-8 of unknown quality, then reads every attribute of every element
// through the typed getters (which unescape and convert what they read).
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "shell/xml/Node.h"

namespace {

volatile std::size_t g_sink = 0;

void readAttributes(const s::xml::Node& node) {
    const s::xml::Attributes& attributes = node.attributes();
    for (std::size_t i = 0; i < attributes.count(); ++i) {
        const s::xml::Attribute& attribute = attributes.at(i);
        const std::string_view name = attribute.name;
        std::string text = node.getString(name, "");
        node.getString(text, name, "default", true);
        g_sink = g_sink + text.size() + node.getRaw(name, "").size();
        g_sink = g_sink + static_cast<std::size_t>(node.getInt32(name, 0)) +
                 static_cast<std::size_t>(node.getUInt64(name, 0)) +
                 static_cast<std::size_t>(node.getInt8(name, 0)) + node.getBool(name, false);
    }
}

// Depth is bounded by the parser (Node::kMaxDepth), so recursion is safe.
void walk(const s::xml::Node& node) {
    g_sink = g_sink + node.name().size() + node.isComment();
    node.nameEquals("item");
    node.nameEquals("Item", 4);
    readAttributes(node);
    node.getChild("text");
    for (std::size_t i = 0; i < node.childCount(); ++i) walk(*node.child(i));
}

void parseRaw(std::string_view text) {
    s::thread::Pooled<s::xml::Node> root = s::xml::Node::take();
    if (!root) return;
    // The position after the element lies inside the text.
    if (root->parse(text) > text.size()) __builtin_trap();
    walk(*root);
}

void parseUtf8(std::string_view bytes) {
    s::thread::Pooled<s::xml::Node> root = s::xml::Node::take();
    if (!root) return;
    root->parseUtf8(bytes);
    walk(*root);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    parseRaw(text);
    parseUtf8(text);
    return 0;
}
