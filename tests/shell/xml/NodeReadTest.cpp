// Reading values back: unescaping of text and attributes, the typed
// getters, name matching and loading from a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

#include "shell/xml/Node.h"

namespace {

using s::thread::Pooled;
using s::xml::Node;

Pooled<Node> parse(const std::string& text) {
    Pooled<Node> root = Node::take();
    root->parseUtf8(text);
    return root;
}

TEST(XmlRead, TextUnescapingKeepsWrittenWhitespaceAndDropsRawWhitespace) {
    struct Case {
        const char* stored;
        const char* read;
    };
    const Case cases[] = {
        {"&#160;  word  &#160;", "   word   "},
        {"&#160;      Yes      &#160;", "       Yes       "},
        {"\n\t  word \r\n\t", "word"},
        {"word\xE3\x80\x80 \xE3\x80\x80", "word"},  // ideographic spaces trimmed
        {"\xE3\x80\x80word", "\xE3\x80\x80word"},   // ... only at the end
        {"line&#10;", "line\n"},
        {"&#13;&#10;x", "\r\nx"},
        {"a&#160; \xE3\x80\x80 ", "a "},  // trimmed down to the entity
        {"&amp;&lt;&gt;&quot;&apos;&#65;", "&<>&quot;&apos;&#65;"},
        {"fish & chips &", "fish & chips &"},
        {"&#160", "&#160"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const Pooled<Node> node = parse(std::string("<t>") + c.stored + "</t>");
        EXPECT_EQ(node->getString("", "-"), c.read);
    }
}

TEST(XmlRead, AttributeUnescapingHasItsOwnEntitiesAndNeverTrims) {
    struct Case {
        const char* stored;
        const char* read;
    };
    const Case cases[] = {
        {"a &gt; b", "a &gt; b"},  // written by another tool: stays literal
        {"&amp;&lt;&quot;&#13;&#10;", "&<\"\r\n"},
        {"&#160;x", "&#160;x"},
        {"  padded  ", "  padded  "},
        {"&amp;amp;", "&amp;"},
        {"&", "&"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const Pooled<Node> node = parse(std::string("<t v=\"") + c.stored + "\"/>");
        EXPECT_EQ(node->getString("v", "-"), c.read);
        EXPECT_EQ(node->getRaw("v", "-"), c.stored);
    }
}

TEST(XmlRead, GetStringReplacesOrAppendsAndFallsBackToTheDefault) {
    const Pooled<Node> node = parse("<t v=\"a&amp;b\">  text  </t>");
    std::string target = "keep:";
    node->getString(target, "v", "-", true);
    node->getString(target, "", "-", true);
    node->getString(target, "missing", "dflt", true);
    EXPECT_EQ(target, "keep:a&btextdflt");
    // Trimming the appended text never eats into what was already there.
    const Pooled<Node> blank = parse("<t> &#160; </t>");
    std::string padded = "x  ";
    blank->getString(padded, "", "-", true);
    EXPECT_EQ(padded, "x   ");
    node->getString(target, "V", "-");
    EXPECT_EQ(target, "a&b");
}

TEST(XmlRead, ChildLookupIgnoresCaseOnlyWithoutALength) {
    const Pooled<Node> root = parse("<root><Item/><other/></root>");
    ASSERT_NE(root->getChild("item"), nullptr);
    EXPECT_EQ(root->getChild("item")->name(), "Item");
    EXPECT_EQ(root->getChild("item", 4), nullptr);
    EXPECT_NE(root->getChild("Item", 4), nullptr);
    EXPECT_NE(root->getChild("Items", 4), nullptr);  // only the first 4 characters count
    EXPECT_EQ(root->getChild("Ite", 3), nullptr);    // ... and the name must be that long
    EXPECT_EQ(root->getChild("Item", 9), nullptr);
    std::size_t index = 0;
    EXPECT_TRUE(root->findChild("OTHER", &index));
    EXPECT_EQ(index, 1u);

    Pooled<Node> unnamed = Node::take();
    EXPECT_FALSE(unnamed->nameEquals(""));
    EXPECT_FALSE(unnamed->nameEquals("", 0));
}

TEST(XmlRead, IntegerGettersConvertLikeTheCLibrary) {
    const Pooled<Node> n = parse(
        "<n minus1=\"-1\" mixed=\"42abc\" empty=\"\" spaced=\" \t+7\" big=\"99999999999\""
        " small=\"-99999999999\" wide=\"300\" huge=\"99999999999999999999\"/>");
    EXPECT_EQ(n->getUInt8("minus1", 0), 255);
    EXPECT_EQ(n->getUInt16("minus1", 0), 65535);
    EXPECT_EQ(n->getUInt32("minus1", 0), 0xFFFFFFFFu);
    EXPECT_EQ(n->getUInt64("minus1", 0), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(n->getInt32("mixed", -5), 42);
    EXPECT_EQ(n->getInt32("empty", -5), 0);
    EXPECT_EQ(n->getInt16("spaced", 0), 7);
    EXPECT_EQ(n->getInt32("big", 0), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(n->getInt32("small", 0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(n->getUInt32("big", 0), 0xFFFFFFFFu);
    EXPECT_EQ(n->getInt64("big", 0), 99999999999);
    EXPECT_EQ(n->getInt64("huge", 0), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(n->getInt8("wide", 0), 44);  // 300 truncated to 8 bits
    EXPECT_EQ(n->getUInt8("wide", 0), 44);
    EXPECT_EQ(n->getInt32("absent", -5), -5);
    EXPECT_EQ(n->getUInt8("absent", 9), 9);
}

TEST(XmlRead, BoolIsAPrefixTest) {
    struct Case {
        const char* stored;
        bool read;
    };
    const Case cases[] = {
        {"1", true},  {"true", true}, {"10", true}, {"trueish", true}, {"True", false},
        {"0", false}, {"yes", false}, {"", false},  {" 1", false},     {"TRUE", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const Pooled<Node> node = parse(std::string("<b v=\"") + c.stored + "\"/>");
        EXPECT_EQ(node->getBool("v", !c.read), c.read);
    }
    EXPECT_TRUE(parse("<b/>")->getBool("v", true));
}

TEST(XmlRead, LoadFileReadsUtf8AndLeavesTheNodeEmptyWhenItCannot) {
    char pattern[] = "/tmp/tarvex-xml-XXXXXX";
    const int fd = ::mkstemp(pattern);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const std::string path = pattern;
    std::ofstream(path, std::ios::binary)
        << "\xEF\xBB\xBF<pack><English id=\"1\">Yes</English></pack>";

    Pooled<Node> loaded = Node::take();
    EXPECT_TRUE(loaded->loadFile(path));
    ASSERT_NE(loaded->getChild("english"), nullptr);
    EXPECT_EQ(loaded->getChild("english")->getString("", ""), "Yes");
    ::unlink(path.c_str());

    Pooled<Node> missing = Node::take();
    EXPECT_FALSE(missing->loadFile(path));
    EXPECT_TRUE(missing->name().empty());
    EXPECT_EQ(missing->childCount(), 0u);
}

TEST(XmlRead, BuiltTreesCanBeEditedAndSearched) {
    Pooled<Node> root = Node::take();
    root->setName("rootXYZ", 4);
    EXPECT_EQ(root->name(), "root");
    root->addChild("a");
    root->addChild("b");
    Node* c = root->addChild("c");
    c->attributes().add("", "text");
    root->removeChild(1);
    ASSERT_EQ(root->childCount(), 2u);
    EXPECT_EQ(root->child(1)->getString("", ""), "text");
    EXPECT_EQ(root->child(2), nullptr);
    EXPECT_EQ(root->getChild("b"), nullptr);
    root->removeChild(7);  // out of range: nothing happens
    EXPECT_EQ(root->childCount(), 2u);
}

}  // namespace
