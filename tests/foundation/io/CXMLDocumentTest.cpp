#include "foundation/io/CXMLDocument.h"

#include "foundation/io/TraceLog.h"
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
using Orvalite::Testing::CTemporaryFile;
using Orvalite::Testing::describe;
using Orvalite::Testing::runOnSmallStack;
using namespace std::string_literals;

namespace
{
const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

// Collects what the trace log receives while it lives.
class CTraceCapture
{
public:
    CTraceCapture() { Orvalite::IO::openTraceLog(CSystemString(m_file.path())); }
    ~CTraceCapture() { Orvalite::IO::closeTraceLog(); }

    std::string text() const
    {
        Orvalite::IO::closeTraceLog();
        return m_file.read();
    }

private:
    CTemporaryFile m_file;
};

// Reads `lines` (joined with line feeds, after the declaration) and describes the tree.
std::string readTree(const std::string &lines, bool *result = nullptr)
{
    CTemporaryFile file;
    file.write(DECLARATION + lines);
    CXMLDocument document;
    const bool read = document.readFile(CSystemString(file.path()));
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
    CTemporaryFile file;
    CXMLDocument document;
    document.setRootNode(root);
    EXPECT_TRUE(document.writeFile(CSystemString(file.path())));
    return file.read();
}
} // namespace

TEST(XMLDocument, EscapingReplacesExactlyTheSixSpecialCharacters)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"&", "&amp;"},
        {"\"", "&quot;"},
        {">", "&gt;"},
        {"<", "&lt;"},
        {"\n", "&#10;"},
        {"\r", "&#13;"},
        {"a<b & \"c\"", "a&lt;b &amp; &quot;c&quot;"},
        {"&lt;", "&amp;lt;"},
        {"it's\ttabbed \xC3\xA9\xFF", "it's\ttabbed \xC3\xA9\xFF"},
        {"", ""},
    };
    for (const auto &[text, entities] : cases)
    {
        EXPECT_EQ(entities, escaped(text)) << "escaping \"" << text << '"';
        EXPECT_EQ(text, unescaped(entities)) << "unescaping \"" << entities << '"';
    }
}

TEST(XMLDocument, UnescapingTakesEachEntityOnceAndLeavesOtherText)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"&amp;amp;", "&amp;"}, {"&amp;quot;", "&quot;"}, {"&&lt;;", "&<;"},      {"&foo; &#9; &", "&foo; &#9; &"},
        {"&lt&gt;", "&lt>"},    {"&quot;&quot;", "\"\""}, {"&#10;&#13;", "\n\r"}, {"&AMP;", "&AMP;"},
    };
    for (const auto &[entities, text] : cases)
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
    values->addAttribute(new CXMLAttribute("flag", true));
    values->addAttribute(new CXMLAttribute("  spaced  name ", 3));
    EXPECT_EQ(DECLARATION + "<v quote=\"say &quot;&lt;hi&gt;&quot; &amp; go\" lines=\"one&#13;&#10;two\" "
                            "flag=\"True\" spaced__name=\"3\"/>\n",
              written(values));
}

TEST(XMLDocument, WritingWithoutRootOrToABadPathFails)
{
    CTemporaryFile file;
    file.write("untouched");
    CXMLDocument empty;
    EXPECT_FALSE(empty.writeFile(CSystemString(file.path())));
    EXPECT_EQ("untouched", file.read());

    CTraceCapture trace;
    CXMLDocument document;
    document.setRootNode(new CXMLNode("r"));
    EXPECT_FALSE(document.writeFile(CSystemString("/nonexistent-folder/x.xml")));
    EXPECT_EQ("Failed to open XML stream with path = /nonexistent-folder/x.xml\n", trace.text());
}

TEST(XMLDocument, TreesWithEveryEscapedCharacterAndValueFormRoundTrip)
{
    CXMLNode *root = new CXMLNode("root&<\">");
    root->addAttribute(new CXMLAttribute("text", "a<b>&\"c\"\nline\rreturn 'apostrophe' \xC3\xA9 \t tab"));
    root->addAttribute(new CXMLAttribute("entity", "&lt; stays &amp;lt;"));
    root->addAttribute(new CXMLAttribute("equals", "x=y=z"));
    root->addAttribute(new CXMLAttribute("slash", "/> and />"));
    root->addAttribute(new CXMLAttribute("padded", "  both ends  "));
    root->addAttribute(new CXMLAttribute("empty", ""));
    root->addAttribute(new CXMLAttribute("name&\"odd", "1"));
    CXMLNode *types = root->addChildNode(CString("types"));
    types->addAttribute(new CXMLAttribute("bool", true));
    types->addAttribute(new CXMLAttribute("double", -0.5));
    types->addAttribute(new CXMLAttribute("float", 2.25f));
    types->addAttribute(new CXMLAttribute("long", 1234567890123L));
    types->addAttribute(new CXMLAttribute("int", -7));
    types->addChildNode(CString("leaf"));
    CXMLNode *deeper = root->addChildNode(CString("x"))->addChildNode(CString("y"));
    deeper->addChildNode(CString("z"))->addAttribute("k", "v");
    deeper->addChildNode(CString("z2"));
    root->addChildNode(CString("last"));

    CTemporaryFile file;
    CXMLDocument original;
    original.setRootNode(root);
    ASSERT_TRUE(original.writeFile(CSystemString(file.path())));
    CXMLDocument copy;
    ASSERT_TRUE(copy.readFile(CSystemString(file.path())));
    EXPECT_EQ(describe(root), describe(copy.getRootNode())) << file.read();

    const CXMLNode *readTypes = copy.getRootNode()->getChildNode(CString("types"));
    ASSERT_NE(nullptr, readTypes);
    EXPECT_TRUE(readTypes->getAttribute(CString("bool"))->getValueAsBool());
    EXPECT_DOUBLE_EQ(-0.5, readTypes->getAttribute(CString("double"))->getValueAsDouble());
    EXPECT_FLOAT_EQ(2.25f, readTypes->getAttribute(CString("float"))->getValueAsFloat());
    EXPECT_EQ(1234567890123L, readTypes->getAttribute(CString("long"))->getValueAsLong());
    EXPECT_EQ(-7, readTypes->getAttribute(CString("int"))->getValueAsInt());
}

TEST(XMLDocument, ReaderRulesForWellFormedLines)
{
    struct SCase
    {
        const char *rule;
        std::string lines;
        const char *tree;
    };
    const std::vector<SCase> cases = {
        {"empty elements in three spellings", "<r>\n<a/>\n<a />\n<a x=\"1\"/>\n<b/>\n</r>", "r(a;a;a[x=1];b)"},
        {"elements enclose the lines up to their closing tag", "<r>\n<a>\n<b/>\n</a>\n<c/>\n</r>", "r(a(b);c)"},
        {"one-character names", "<b>\n<c>\n</c>\n</b>", "b(c)"},
        {"an equals sign inside quotes is text", "<r v=\"x=y\" w=\"a = b\"/>", "r[v=x=y,w=a = b]"},
        {"names are trimmed, unescaped and normalised", "<r>\n\t  <n&lt;1 a&amp;b=\"v\"/>  \n</r>", "r(n<1[a&b=v])"},
        {"blanks around attributes are skipped", "<r   a=\"1\"    b=\"2\"  >\n</r>", "r[a=1,b=2]"},
        {"closing tags move up without comparing names", "<r>\n<a>\n<b/>\n</zzz>\n<c/>\n</r>", "r(a(b);c)"},
        {"comments, declarations and text are skipped", "<!-- note -->\n<!DOCTYPE x>\n<r>\ntext\n\n<?pi?>\n<a/>\n</r>",
         "r(a)"},
        {"carriage returns before line feeds are dropped", "<r>\r\n<a x=\"1\"/>\r\n</r>\r\n", "r(a[x=1])"},
        {"an empty first element stays open for what follows", "<r/>\n<a/>", "r(a)"},
        {"an empty first element with attributes closes", "<r x=\"1\"/>\n<a/>", "r[x=1]"},
        {"only the declaration gives no root", "", "-"},
    };
    for (const SCase &given : cases)
    {
        bool result = false;
        EXPECT_EQ(given.tree, readTree(given.lines, &result)) << given.rule << ":\n" << given.lines;
        EXPECT_TRUE(result) << given.rule;
    }
}

TEST(XMLDocument, ReaderStaysSafeOnMalformedLines)
{
    struct SCase
    {
        const char *fault;
        std::string lines;
        const char *tree;
    };
    const std::vector<SCase> cases = {
        {"a second top-level element is skipped with its content",
         "<r>\n<a/>\n</r>\n<s>\n<t/>\n</s>\n<u/>\n<v x=\"1\"/>", "r(a)"},
        {"closing tags with no open element", "</x>\n</y>\n<r>\n<a/>\n</r>\n</r>\n</r>\n<b/>", "r(a)"},
        {"an unclosed value is dropped, earlier ones stay", "<r>\n<a x=\"1\" y=2/>\n<b/>\n</r>", "r(a[x=1];b)"},
        {"an unterminated quote", "<r a=\"never closed>\n<b/>\n</r>", "r(b)"},
        {"a quoted value without a name", "<r \"lost\" a=\"1\"/>", "r[a=1]"},
        {"a name replaced by the next name", "<r a=b=\"2\"/>", "r[b=2]"},
        {"a tag split over lines", "<r\nx=\"1\">\n<a/>\n</r>", "r(a)"},
        {"/> inside quotes is text", "<r>\n<a v=\"/>\">\n<b/>\n</a>\n</r>", "r(a[v=/>](b))"},
        {"/> repeated closes once", "<r>\n<a>\n<b x=\"1\"/>/>/>\n<c/>\n</a>\n</r>", "r(a(b[x=1];c))"},
        {"a lone '<' and '<>' are nameless elements", "<r>\n<\n</>\n<>\n</>\n</r>", "r(;)"},
        {"several tags on one line are one empty element", "<r><a/><b/></r>", "r><a/><b/><"},
        {"a NUL byte ends the line", "<r>\n<a x=\"1\0\" y=\"2\"/>\n<b/>\n</r>"s, "r(a(b))"},
    };
    for (const SCase &given : cases)
    {
        bool result = false;
        EXPECT_EQ(given.tree, readTree(given.lines, &result)) << given.fault << ":\n" << given.lines;
        EXPECT_TRUE(result) << given.fault;
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
    CTemporaryFile good;
    good.write(DECLARATION + "<kept/>");
    CTemporaryFile undeclared;
    undeclared.write("<r>\n</r>");
    CTemporaryFile empty;
    empty.write("");
    CTemporaryFile indented;
    indented.write("  \t<?xml?>\n<r/>");

    CXMLDocument document;
    ASSERT_TRUE(document.readFile(CSystemString(good.path())));
    {
        CTraceCapture trace;
        EXPECT_FALSE(document.readFile(CSystemString(undeclared.path())));
        EXPECT_FALSE(document.readFile(CSystemString(empty.path())));
        EXPECT_FALSE(document.readFile(CSystemString("/nonexistent-folder/x.xml")));
        EXPECT_EQ(std::string("Failed to read XML DTD on path = ") + undeclared.path() +
                      "\nFailed to read XML DTD on path = " + empty.path() +
                      "\nFailed to open XML stream with path = /nonexistent-folder/x.xml\n",
                  trace.text());
    }
    EXPECT_EQ("kept", describe(document.getRootNode()));

    EXPECT_TRUE(document.readFile(CSystemString(indented.path()))) << "the declaration line is trimmed";
    EXPECT_EQ("r", describe(document.getRootNode()));
}

TEST(XMLDocument, ReadingReplacesAndFreesThePreviousTree)
{
    const long before = CXMLNode::getClassRecord().getNumberOfInstances();
    CTemporaryFile file;
    file.write(DECLARATION + "<new>\n<child/>\n</new>");
    CXMLDocument document;
    CXMLNode *old = new CXMLNode("old");
    old->addChildNode(CString("a"));
    document.setRootNode(old);
    ASSERT_TRUE(document.readFile(CSystemString(file.path())));
    EXPECT_EQ("new(child)", describe(document.getRootNode()));
    EXPECT_EQ(before + 2, CXMLNode::getClassRecord().getNumberOfInstances());
}

TEST(XMLDocument, SettingARootFromInsideTheOldTreeKeepsIt)
{
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
        CTemporaryFile file;
        CXMLDocument document;
        document.setRootNode(root);
        ASSERT_TRUE(document.writeFile(CSystemString(file.path())));
        CXMLDocument copy;
        ASSERT_TRUE(copy.readFile(CSystemString(file.path())));
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
        CTemporaryFile file;
        file.write(DECLARATION + junk);
        CXMLDocument document;
        EXPECT_TRUE(document.readFile(CSystemString(file.path()))) << "round " << round;
    }
}

TEST(XMLDocument, DeepNestingIsReadWrittenAndFreedWithoutRecursion)
{
    const long before = CXMLNode::getClassRecord().getNumberOfInstances();
    long readDepth = 0;
    bool written = false;
    long rereadDepth = 0;
    const auto depthOf = [](const CXMLNode *node) {
        long depth = 0;
        for (; node && node->getNumberOfChildNodes() == 1; node = node->getChildNode(0L))
        {
            ++depth;
        }
        return node && node->getNumberOfChildNodes() == 0 ? depth : -1;
    };
    const bool ran = runOnSmallStack([&] {
        CTemporaryFile flat;
        std::string lines = DECLARATION;
        for (int level = 0; level <= 10000; ++level)
        {
            lines += "<n>\n";
        }
        for (int level = 0; level <= 10000; ++level)
        {
            lines += "</n>\n";
        }
        flat.write(lines);
        CXMLDocument document;
        document.readFile(CSystemString(flat.path()));
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
        CTemporaryFile indented;
        written = shallower.writeFile(CSystemString(indented.path()));
        CXMLDocument copy;
        copy.readFile(CSystemString(indented.path()));
        rereadDepth = depthOf(copy.getRootNode());
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(10000, readDepth);
    EXPECT_TRUE(written);
    EXPECT_EQ(3000, rereadDepth);
    EXPECT_EQ(before, CXMLNode::getClassRecord().getNumberOfInstances());
}
