// The shape of the tree the parser builds: names, children, text runs and
// attribute records, on well-formed and broken documents alike.
#include <gtest/gtest.h>

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

TEST(XmlParse, ByteOrderMarkIsIgnored) {
    const Pooled<Node> plain = parse("<root a=\"1\"><b/></root>");
    const Pooled<Node> marked = parse("\xEF\xBB\xBF<root a=\"1\"><b/></root>");
    EXPECT_EQ(marked->name(), "root");
    EXPECT_EQ(marked->getInt32("a", 0), 1);
    ASSERT_EQ(marked->childCount(), plain->childCount());
    EXPECT_EQ(marked->child(0)->name(), "b");
}

TEST(XmlParse, SelfClosingElementHasItsAttributeAndNothingElse) {
    const Pooled<Node> node = parse("<entry id=\"1107000\"/>");
    EXPECT_EQ(node->name(), "entry");
    ASSERT_EQ(node->attributes().count(), 1u);
    EXPECT_EQ(node->attributes().at(0).name, "id");
    EXPECT_EQ(node->attributes().at(0).value, "1107000");
    EXPECT_EQ(node->childCount(), 0u);
    EXPECT_EQ(node->getRaw("", "no text"), "no text");
}

TEST(XmlParse, TextIsStoredRawWithTrailingWhitespaceAndReadTrimmed) {
    const Pooled<Node> node = parse("<a>\n  word  \n  <b/></a>");
    EXPECT_EQ(node->getRaw("", ""), "word  \n  ");
    EXPECT_EQ(node->getString("", ""), "word");
    EXPECT_EQ(node->childCount(), 1u);
}

TEST(XmlParse, CommentsVanishAndSplitText) {
    const Pooled<Node> node =
        parse("<a><!-- first -->one<!-- <b>not an element</b> -->two<c/><!-- last --></a>");
    ASSERT_EQ(node->childCount(), 1u);
    EXPECT_EQ(node->child(0)->name(), "c");
    ASSERT_EQ(node->attributes().count(), 2u);
    EXPECT_EQ(node->attributes().at(0).value, "one");
    EXPECT_EQ(node->attributes().at(1).value, "two");
    EXPECT_EQ(node->getString("", ""), "one");
}

TEST(XmlParse, AnyEndTagClosesTheCurrentElement) {
    const Pooled<Node> node = parse("<root><a>x</wrong><c/></root><after/>");
    ASSERT_EQ(node->childCount(), 2u);
    EXPECT_EQ(node->child(0)->name(), "a");
    EXPECT_EQ(node->child(0)->getString("", ""), "x");
    EXPECT_EQ(node->child(1)->name(), "c");
}

TEST(XmlParse, ReturnsThePositionAfterTheElement) {
    Pooled<Node> node = Node::take();
    const std::string text = "junk <a x=\"1\"><b/></a> tail";
    EXPECT_EQ(node->parse(text), text.find(" tail"));
    Pooled<Node> empty = Node::take();
    EXPECT_EQ(empty->parse("no element here"), 15u);
    EXPECT_TRUE(empty->name().empty());
}

TEST(XmlParse, DuplicateAttributesAreKeptAndTheFirstIsRead) {
    const Pooled<Node> node = parse("<a n=\"1\" N=\"2\" n=\"3\"/>");
    EXPECT_EQ(node->attributes().count(), 3u);
    EXPECT_EQ(node->getInt32("n", 0), 1);
    std::size_t index = 9;
    EXPECT_TRUE(node->attributes().find("N", &index));
    EXPECT_EQ(index, 0u);
}

TEST(XmlParse, AttributeNamesRunToEqualsOrSpaceAndOnlyDoubleQuotesDelimit) {
    const Pooled<Node> node = parse("<a\tfirst=\"x y\"\nsecond = \"it's\" third='q\"r\"/>");
    ASSERT_EQ(node->attributes().count(), 3u);
    EXPECT_EQ(node->getRaw("first", "-"), "x y");
    EXPECT_EQ(node->getRaw("second", "-"), "it's");
    // Single quotes are ordinary characters: the value starts at the first double quote.
    EXPECT_EQ(node->attributes().at(2).name, "third");
    EXPECT_EQ(node->attributes().at(2).value, "r");
}

// Broken documents end where the text ends and keep what was read.
TEST(XmlParse, TruncatedAndMalformedInputKeepsWhatWasRead) {
    using namespace std::literals;
    struct Case {
        std::string_view text;
        const char* name;
        std::size_t children;
        const char* attribute;  // raw value of "v", "-" when absent
    };
    const Case cases[] = {
        {"<a v=\"unterminated"sv, "a", 0, "unterminated"},
        {"<a v=\"1\"><b><c"sv, "a", 1, "1"},
        {"<a><!-- never closed <b/>"sv, "a", 0, "-"},
        {"<a v"sv, "a", 0, "-"},
        {"<"sv, "", 0, "-"},
        {"<a>text"sv, "a", 0, "-"},
        {"<a v=\"1\">\0<b/></a>"sv, "a", 0, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Pooled<Node> node = parse(std::string(c.text));
        EXPECT_EQ(node->name(), c.name);
        EXPECT_EQ(node->childCount(), c.children);
        EXPECT_EQ(node->getRaw("v", "-"), c.attribute);
    }
}

TEST(XmlParse, EveryPrefixOfADocumentParsesSafely) {
    const std::string document =
        "\xEF\xBB\xBF<pack version=\"1\">\n <entry id=\"100\"><!-- c -->"
        "<English>&#160; Yes &#160;</English><German a=\"&amp;\"/></entry>\n</pack>";
    for (std::size_t size = 0; size < document.size(); ++size) {
        Pooled<Node> node = Node::take();
        node->parseUtf8(std::string_view(document).substr(0, size));
    }
    const Pooled<Node> whole = parse(document);
    ASSERT_EQ(whole->childCount(), 1u);
    EXPECT_EQ(whole->child(0)->getChild("english")->getString("", ""), "  Yes  ");
    EXPECT_EQ(whole->child(0)->getChild("german")->getString("a", ""), "&");
}

TEST(XmlParse, DeepNestingIsCutOffWithoutExhaustingTheStack) {
    std::string text;
    const int levels = 200000;
    for (int i = 0; i < levels; ++i) text += "<d>";
    Pooled<Node> node = parse(text);
    std::size_t depth = 0;
    for (const Node* at = node.get(); at->childCount() > 0; at = at->child(0)) ++depth;
    EXPECT_EQ(depth, Node::kMaxDepth);

    // Within the bound nothing is lost.
    std::string nested = "<d v=\"0\">";
    for (int i = 0; i < 50; ++i) nested += "<d>";
    nested += "deep";
    Pooled<Node> shallow = parse(nested);
    const Node* at = shallow.get();
    while (at->childCount() > 0) at = at->child(0);
    EXPECT_EQ(at->getString("", ""), "deep");
}

TEST(XmlParse, IllFormedUtf8BecomesReplacementCharacters) {
    const Pooled<Node> node = parse("<a v=\"x\xFFy\xC3\"/>");
    EXPECT_EQ(node->getRaw("v", ""), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(XmlParse, ATreeGoesBackToThePoolEmpty) {
    Node* first = nullptr;
    {
        Pooled<Node> node = parse("<a v=\"1\"><b><c>t</c></b><d/></a>");
        first = node.get();
    }
    // The pool hands back the node most recently returned to it.
    Pooled<Node> again = Node::take();
    if (again.get() != first) GTEST_SKIP() << "the pool handed out another node";
    EXPECT_TRUE(again->name().empty());
    EXPECT_EQ(again->childCount(), 0u);
    EXPECT_EQ(again->attributes().count(), 0u);
}

}  // namespace
