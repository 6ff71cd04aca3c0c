#include "foundation/io/CXMLDocument.h"

#include "foundation/io/TraceLog.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/foundation/io/XmlTestHelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::IO::CXMLAttribute;
using Orvalite::IO::CXMLDocument;
using Orvalite::IO::CXMLNode;
using Orvalite::Testing::CTemporaryFolder;
using Orvalite::Testing::describe;
using Orvalite::Testing::runOnSmallStack;
using namespace std::string_literals;

namespace
{
const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

CSystemString pathOf(const CTemporaryFolder &folder, const char *name)
{
    return CSystemString(folder.file(name).c_str());
}

// Collects what the trace log receives while it lives.
class CTraceCapture
{
public:
    CTraceCapture() { Orvalite::IO::openTraceLog(pathOf(m_folder, "trace.txt")); }
    ~CTraceCapture() { Orvalite::IO::closeTraceLog(); }

    std::string text() const
    {
        Orvalite::IO::closeTraceLog();
        return m_folder.read("trace.txt");
    }

private:
    CTemporaryFolder m_folder;
};

// Reads `lines` (after the declaration) and describes the tree.
std::string readTree(const std::string &lines, bool *result = nullptr)
{
    CTemporaryFolder folder;
    folder.write("in.xml", DECLARATION + lines);
    CXMLDocument document;
    const bool read = document.readFile(pathOf(folder, "in.xml"));
    if (result)
    {
        *result = read;
    }
    return describe(document.getRootNode());
}

std::string escaped(const char *text)
{
    CString value(text);
    CXMLDocument::escapeText(value);
    return value.getString();
}

std::string unescaped(const char *text)
{
    CString value(text);
    CXMLDocument::unescapeText(value);
    return value.getString();
}

std::string written(CXMLNode *root)
{
    CTemporaryFolder folder;
    CXMLDocument document;
    document.setRootNode(root);
    EXPECT_TRUE(document.writeFile(pathOf(folder, "out.xml")));
    return folder.read("out.xml");
}
} // namespace

TEST(XMLDocument, EscapingReplacesExactlyTheSixSpecialCharactersAndUnescapingTakesEachEntityOnce)
{
    const std::vector<std::pair<const char *, const char *>> roundTrips = {
        {"&", "&amp;"},
        {"\"", "&quot;"},
        {">", "&gt;"},
        {"<", "&lt;"},
        {"\n", "&#10;"},
        {"\r", "&#13;"},
        {"&lt;", "&amp;lt;"},
        {"a<b & \"c\"", "a&lt;b &amp; &quot;c&quot;"},
        {"it's\ttabbed \xC3\xA9\xFF", "it's\ttabbed \xC3\xA9\xFF"},
        {"", ""},
    };
    for (const auto &[text, entities] : roundTrips)
    {
        EXPECT_EQ(entities, escaped(text)) << "escaping \"" << text << '"';
        EXPECT_EQ(text, unescaped(entities)) << "unescaping \"" << entities << '"';
    }
    const std::vector<std::pair<const char *, const char *>> unescapeOnly = {
        {"&amp;amp;", "&amp;"}, {"&amp;quot;", "&quot;"}, {"&&lt;;", "&<;"},      {"&foo; &#9; &", "&foo; &#9; &"},
        {"&lt&gt;", "&lt>"},    {"&quot;&quot;", "\"\""}, {"&#10;&#13;", "\n\r"}, {"&AMP;", "&AMP;"},
    };
    for (const auto &[entities, text] : unescapeOnly)
    {
        EXPECT_EQ(text, unescaped(entities)) << "unescaping \"" << entities << '"';
    }
}

TEST(XMLDocument, WriterLayoutIsByteExact)
{
    CXMLNode *skin = new CXMLNode("skin");
    skin->addAttribute("version", "1");
    skin->addChildNode(CString("a"))->addAttribute("x", "1");
    skin->addChildNode(CString("b"))->addChildNode(CString("c"));
    EXPECT_EQ(DECLARATION + "<skin version=\"1\">\n\t<a x=\"1\"/>\n\t<b>\n\t\t<c/>\n\t</b>\n</skin>", written(skin));
    EXPECT_EQ(DECLARATION + "<lonely/>\n", written(new CXMLNode("lonely")))
        << "a root without children is an empty element with its line feed";

    CXMLNode *values = new CXMLNode("v");
    values->addAttribute(new CXMLAttribute("quote", "say \"<hi>\" & go"));
    values->addAttribute(new CXMLAttribute("lines", "one\r\ntwo"));
    values->addAttribute(new CXMLAttribute("  spaced  name ", 3));
    EXPECT_EQ(DECLARATION + "<v quote=\"say &quot;&lt;hi&gt;&quot; &amp; go\" lines=\"one&#13;&#10;two\" "
                            "spaced__name=\"3\"/>\n",
              written(values));
}

TEST(XMLDocument, WritingWithoutRootOrToABadPathFails)
{
    CTemporaryFolder folder;
    folder.write("x.xml", "untouched");
    CXMLDocument empty;
    EXPECT_FALSE(empty.writeFile(pathOf(folder, "x.xml")));
    EXPECT_EQ("untouched", folder.read("x.xml"));

    CTraceCapture trace;
    CXMLDocument document;
    document.setRootNode(new CXMLNode("r"));
    EXPECT_FALSE(document.writeFile(CSystemString("/nonexistent-folder/x.xml")));
    EXPECT_EQ("Failed to open XML stream with path = /nonexistent-folder/x.xml\n", trace.text());
}

TEST(XMLDocument, TreesWithEveryEscapedCharacterRoundTrip)
{
    CXMLNode *root = new CXMLNode("root&<\">");
    root->addAttribute(new CXMLAttribute("text", "a<b>&\"c\"\nline\rreturn 'apostrophe' \xC3\xA9 \t tab"));
    root->addAttribute(new CXMLAttribute("entity", "&lt; stays &amp;lt;"));
    root->addAttribute(new CXMLAttribute("equals", "x=y=z"));
    root->addAttribute(new CXMLAttribute("slash", "/> and />"));
    root->addAttribute(new CXMLAttribute("padded", "  both ends  "));
    root->addAttribute(new CXMLAttribute("empty", ""));
    root->addAttribute(new CXMLAttribute("name&\"odd", "1"));
    root->addChildNode(CString("types"))->addChildNode(CString("leaf"));
    CXMLNode *deeper = root->addChildNode(CString("x"))->addChildNode(CString("y"));
    deeper->addChildNode(CString("z"))->addAttribute("k", "v");
    deeper->addChildNode(CString("z2"));
    root->addChildNode(CString("last"));

    CTemporaryFolder folder;
    CXMLDocument original;
    original.setRootNode(root);
    ASSERT_TRUE(original.writeFile(pathOf(folder, "round.xml")));
    CXMLDocument copy;
    ASSERT_TRUE(copy.readFile(pathOf(folder, "round.xml")));
    EXPECT_EQ(describe(root), describe(copy.getRootNode())) << folder.read("round.xml");
}

TEST(XMLDocument, ReaderBuildsTheTreeAndStaysSafeOnMalformedLines)
{
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"r(a;a;a[x=1];b)", "<r>\n<a/>\n<a />\n<a x=\"1\"/>\n<b/>\n</r>"},
        {"r(a(b);c)", "<r>\n<a>\n<b/>\n</a>\n<c/>\n</r>"},
        {"b(c)", "<b>\n<c>\n</c>\n</b>"},
        {"r[v=x=y,w=a = b]", "<r v=\"x=y\" w=\"a = b\"/>"},
        {"r(n<1[a&b=v])", "<r>\n\t  <n&lt;1 a&amp;b=\"v\"/>  \n</r>"},
        {"r[a=1,b=2]", "<r   a=\"1\"    b=\"2\"  >\n</r>"},
        {"r(a(b);c)", "<r>\n<a>\n<b/>\n</zzz>\n<c/>\n</r>"},
        {"r(a)", "<!-- note -->\n<!DOCTYPE x>\n<r>\ntext\n\n<?pi?>\n<a/>\n</r>"},
        {"r(a[x=1])", "<r>\r\n<a x=\"1\"/>\r\n</r>\r\n"},
        {"r(a)", "<r/>\n<a/>"},
        {"r[x=1]", "<r x=\"1\"/>\n<a/>"},
        {"-", ""},
        {"r(a)", "<r>\n<a/>\n</r>\n<s>\n<t/>\n</s>\n<u/>\n<v x=\"1\"/>"},
        {"r(a)", "</x>\n</y>\n<r>\n<a/>\n</r>\n</r>\n</r>\n<b/>"},
        {"r(a[x=1];b)", "<r>\n<a x=\"1\" y=2/>\n<b/>\n</r>"},
        {"r(b)", "<r a=\"never closed>\n<b/>\n</r>"},
        {"r[a=1]", "<r \"lost\" a=\"1\"/>"},
        {"r[b=2]", "<r a=b=\"2\"/>"},
        {"r(a)", "<r\nx=\"1\">\n<a/>\n</r>"},
        {"r(a[v=/>](b))", "<r>\n<a v=\"/>\">\n<b/>\n</a>\n</r>"},
        {"r(a(b[x=1];c))", "<r>\n<a>\n<b x=\"1\"/>/>/>\n<c/>\n</a>\n</r>"},
        {"r(;)", "<r>\n<\n</>\n<>\n</>\n</r>"},
        {"r><a/><b/><", "<r><a/><b/></r>"},
        {"r(a(b))", "<r>\n<a x=\"1\0\" y=\"2\"/>\n<b/>\n</r>"s},
    };
    for (const auto &[tree, lines] : cases)
    {
        bool result = false;
        EXPECT_EQ(tree, readTree(lines, &result)) << "reading:\n" << lines;
        EXPECT_TRUE(result) << lines;
    }
}

TEST(XMLDocument, UnclosedValuesAreLoggedAndReadingGoesOn)
{
    CTraceCapture trace;
    EXPECT_EQ("r(a[x=1](b))", readTree("<r>\n<a x=\"1\" y=\"2/>\n<b/>\n</r>"))
        << "the element stays open: its \"/>\" is inside the unclosed value";
    EXPECT_EQ("Failed to close XML attribute tag\n", trace.text());
}

TEST(XMLDocument, ReadingFailsWithoutDeclarationAndKeepsThePreviousRoot)
{
    CTemporaryFolder folder;
    folder.write("good.xml", DECLARATION + "<kept/>");
    folder.write("undeclared.xml", "<r>\n</r>");
    folder.write("empty.xml", "");
    folder.write("indented.xml", "  \t<?xml?>\n<r/>");

    CXMLDocument document;
    ASSERT_TRUE(document.readFile(pathOf(folder, "good.xml")));
    {
        CTraceCapture trace;
        EXPECT_FALSE(document.readFile(pathOf(folder, "undeclared.xml")));
        EXPECT_FALSE(document.readFile(pathOf(folder, "empty.xml")));
        EXPECT_FALSE(document.readFile(CSystemString("/nonexistent-folder/x.xml")));
        EXPECT_EQ("Failed to read XML DTD on path = " + folder.file("undeclared.xml") +
                      "\nFailed to read XML DTD on path = " + folder.file("empty.xml") +
                      "\nFailed to open XML stream with path = /nonexistent-folder/x.xml\n",
                  trace.text());
    }
    EXPECT_EQ("kept", describe(document.getRootNode()));
    EXPECT_TRUE(document.readFile(pathOf(folder, "indented.xml"))) << "the declaration line is trimmed";
    EXPECT_EQ("r", describe(document.getRootNode()));
}

TEST(XMLDocument, ReadingReplacesAndFreesThePreviousTreeAndARootFromInsideItIsKept)
{
    const long before = CXMLNode::getClassRecord().getNumberOfInstances();
    CTemporaryFolder folder;
    folder.write("new.xml", DECLARATION + "<new>\n<child/>\n</new>");
    {
        CXMLDocument document;
        CXMLNode *old = new CXMLNode("old");
        old->addChildNode(CString("a"));
        document.setRootNode(old);
        ASSERT_TRUE(document.readFile(pathOf(folder, "new.xml")));
        EXPECT_EQ("new(child)", describe(document.getRootNode()));
        EXPECT_EQ(before + 2, CXMLNode::getClassRecord().getNumberOfInstances());
    }
    CXMLDocument document;
    CXMLNode *old = new CXMLNode("old");
    CXMLNode *inner = old->addChildNode(CString("inner"));
    inner->addChildNode(CString("leaf"));
    document.setRootNode(old);
    document.setRootNode(inner);
    EXPECT_EQ("inner(leaf)", describe(document.getRootNode()));
    document.setRootNode(inner);
    EXPECT_EQ(1, inner->getReferenceCount());
}

TEST(XMLDocument, LongLinesAreReadWholeUpToTheirLimit)
{
    // The line is the value and 11 more bytes; the stream delivers pieces of 1023 bytes.
    for (const size_t length : {1000UL, 1011UL, 1012UL, 1013UL, 2035UL, 2036UL, 100000UL})
    {
        const std::string value(length, 'v');
        CXMLNode *root = new CXMLNode("r");
        root->addAttribute("long", value.c_str());
        root->addChildNode(CString("after"));
        CTemporaryFolder folder;
        CXMLDocument document;
        document.setRootNode(root);
        ASSERT_TRUE(document.writeFile(pathOf(folder, "long.xml")));
        CXMLDocument copy;
        ASSERT_TRUE(copy.readFile(pathOf(folder, "long.xml")));
        EXPECT_EQ(describe(root), describe(copy.getRootNode())) << "value of " << length << " bytes";
    }
    bool result = false;
    EXPECT_EQ("r(a)", readTree("<r v=\"" + std::string(3 << 20, 'x') + "\">\n<a/>\n</r>", &result))
        << "a line beyond a megabyte is cut, its value reported unclosed";
    EXPECT_TRUE(result);
}

TEST(XMLDocument, BinaryJunkIsReadSafely)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    const char alphabet[] = "<>/=\" \t\r\n!?&;ax";
    std::uniform_int_distribution<size_t> symbol(0, sizeof alphabet - 2);
    for (int round = 0; round < 40; ++round)
    {
        std::string junk;
        for (int index = 0; index < 4000; ++index)
        {
            junk.push_back(round % 2 ? static_cast<char>(byte(random)) : alphabet[symbol(random)]);
        }
        bool result = false;
        readTree(junk, &result);
        EXPECT_TRUE(result) << "round " << round;
    }
}

TEST(XMLDocument, DeepNestingIsReadWrittenAndFreedWithoutRecursion)
{
    const long before = CXMLNode::getClassRecord().getNumberOfInstances();
    long readDepth = 0, rereadDepth = 0;
    bool written = false;
    const auto depthOf = [](const CXMLNode *node) {
        long depth = 0;
        for (; node && node->getNumberOfChildNodes() == 1; node = node->getChildNode(0L))
        {
            ++depth;
        }
        return node && node->getNumberOfChildNodes() == 0 ? depth : -1;
    };
    const bool ran = runOnSmallStack([&] {
        CTemporaryFolder folder;
        std::string lines = DECLARATION;
        for (int level = 0; level <= 10000; ++level)
        {
            lines += "<n>\n";
        }
        for (int level = 0; level <= 10000; ++level)
        {
            lines += "</n>\n";
        }
        folder.write("flat.xml", lines);
        CXMLDocument document;
        document.readFile(pathOf(folder, "flat.xml"));
        readDepth = depthOf(document.getRootNode());

        // Indentation passes the line limit of the stream from level 1024 on.
        CXMLDocument shallower;
        CXMLNode *node = new CXMLNode("n");
        shallower.setRootNode(node);
        for (int level = 0; level < 3000; ++level)
        {
            node = node->addChildNode(CString("n"));
        }
        node->addAttribute("at", "bottom");
        written = shallower.writeFile(pathOf(folder, "indented.xml"));
        CXMLDocument copy;
        copy.readFile(pathOf(folder, "indented.xml"));
        rereadDepth = depthOf(copy.getRootNode());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(10000, readDepth);
    EXPECT_TRUE(written);
    EXPECT_EQ(3000, rereadDepth);
    EXPECT_EQ(before, CXMLNode::getClassRecord().getNumberOfInstances());
}
