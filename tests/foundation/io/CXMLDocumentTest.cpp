#include "foundation/io/CXMLDocument.h"

#include "tests/foundation/io/XmlTestHelpers.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;
using namespace Orvalite::IO;
using namespace Orvalite::Testing;
using namespace std::string_literals;

namespace
{
const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";

using TTextPairs = std::vector<std::pair<const char *, const char *>>;

// Reads `lines` (after the declaration), which must succeed, and describes the tree.
std::string readTree(const std::string &lines)
{
    CTemporaryFolder folder;
    folder.write("in.xml", DECLARATION + lines);
    CXMLDocument document;
    EXPECT_TRUE(document.readFile(folder.systemPath("in.xml"))) << lines;
    return describe(document.getRootNode());
}

// The document's file after writing the tree of `root`.
std::string written(CXMLNode *root)
{
    CTemporaryFolder folder;
    CXMLDocument document;
    document.setRootNode(root);
    EXPECT_TRUE(document.writeFile(folder.systemPath("out.xml")));
    return folder.readText("out.xml");
}

// Writes the tree of `root` and describes the tree read back from the file.
std::string reread(CXMLNode *root)
{
    return readTree(written(root).substr(DECLARATION.size()));
}

std::string converted(const char *text, void (*conversion)(CString &))
{
    CString value(text);
    conversion(value);
    return value.getString();
}
} // namespace

TEST(XMLDocument, EscapingReplacesExactlySixCharactersReversibly)
{
    const TTextPairs roundTrips = {
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
        EXPECT_EQ(entities, converted(text, CXMLDocument::escapeText)) << "escaping \"" << text << '"';
        EXPECT_EQ(text, converted(entities, CXMLDocument::unescapeText)) << "unescaping \"" << entities << '"';
    }
}

TEST(XMLDocument, UnescapingTakesEachKnownEntityOnce)
{
    const TTextPairs cases = {
        {"&amp;amp;", "&amp;"}, {"&amp;quot;", "&quot;"}, {"&&lt;;", "&<;"},      {"&foo; &#9; &", "&foo; &#9; &"},
        {"&lt&gt;", "&lt>"},    {"&quot;&quot;", "\"\""}, {"&#10;&#13;", "\n\r"}, {"&AMP;", "&AMP;"},
    };
    for (const auto &[entities, text] : cases)
        EXPECT_EQ(text, converted(entities, CXMLDocument::unescapeText)) << "unescaping \"" << entities << '"';
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
    CXMLDocument empty, document;
    EXPECT_FALSE(empty.writeFile(folder.systemPath("x.xml")));
    EXPECT_EQ("untouched", folder.read("x.xml"));
    document.setRootNode(new CXMLNode("r"));
    EXPECT_FALSE(document.writeFile(CSystemString("/nonexistent-folder/x.xml")));
}

// Whatever each line holds, the reader gives a tree and success; the fuzz corpus checks that nothing breaks it.
TEST(XMLDocument, EveryLineLayoutReadsAsATree)
{
    const std::vector<std::pair<const char *, std::string>> cases = {
        {"r(a;a;a[x=1];b)", "<r>\n<a/>\n<a />\n<a x=\"1\"/>\n<b/>\n</r>"},
        {"r(a(b);c)", "<r>\n<a>\n<b/>\n</a>\n<c/>\n</r>"},
        {"b(c)", "<b>\n<c>\n</c>\n</b>"},
        {"r[v=x=y,w=a = b]", "<r v=\"x=y\" w=\"a = b\"/>"},
        {"r(n<1[a&b=v])", "<r>\n\t  <n&lt;1 a&amp;b=\"v\"/>  \n</r>"},
        {"r[v= \"<&>\r\n ,w=]", "<r v=\" &quot;&lt;&amp;&gt;&#13;&#10; \" w=\"\"/>"},
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
        {"r(a[x=1](b))", "<r>\n<a x=\"1\" y=\"2/>\n<b/>\n</r>"},
        {"r(a)", "<r\nx=\"1\">\n<a/>\n</r>"},
        {"r(a[v=/>](b))", "<r>\n<a v=\"/>\">\n<b/>\n</a>\n</r>"},
        {"r><a/><b/><", "<r><a/><b/></r>"},
        {"r(a(b))", "<r>\n<a x=\"1\0\" y=\"2\"/>\n<b/>\n</r>"s},
    };
    for (const auto &[tree, lines] : cases)
        EXPECT_EQ(tree, readTree(lines)) << "reading:\n" << lines;
}

TEST(XMLDocument, FailedReadsKeepThePreviousRoot)
{
    CTemporaryFolder folder;
    folder.write("good.xml", DECLARATION + "<kept/>");
    folder.write("undeclared.xml", "<r>\n</r>");
    folder.write("empty.xml", "");
    folder.write("indented.xml", "  \t<?xml?>\n<r/>");
    CXMLDocument document;
    ASSERT_TRUE(document.readFile(folder.systemPath("good.xml")));
    for (const std::string &path : {folder.file("undeclared.xml"), folder.file("empty.xml"), "/nonexistent/x.xml"s})
        EXPECT_FALSE(document.readFile(CSystemString(path.c_str()))) << path;
    EXPECT_EQ("kept", describe(document.getRootNode()));
    EXPECT_TRUE(document.readFile(folder.systemPath("indented.xml"))) << "the declaration line is trimmed";
    EXPECT_EQ("r", describe(document.getRootNode()));
}

// A root from inside the old tree survives; the rest of the old tree is freed.
TEST(XMLDocument, ReplacingTheRootFreesWhatIsNoLongerHeld)
{
    const long before = liveInstances<CXMLNode>();
    CTemporaryFolder folder;
    folder.write("new.xml", DECLARATION + "<new>\n<child/>\n</new>");
    CXMLDocument document;
    CXMLNode *old = new CXMLNode("old");
    CXMLNode *inner = old->addChildNode(CString("inner"));
    inner->addChildNode(CString("leaf"));
    document.setRootNode(old);
    document.setRootNode(inner);
    EXPECT_EQ("inner(leaf)", describe(document.getRootNode()));
    document.setRootNode(inner);
    EXPECT_EQ(1, inner->getReferenceCount()) << "setting the same root again";
    EXPECT_EQ(before + 2, liveInstances<CXMLNode>());
    ASSERT_TRUE(document.readFile(folder.systemPath("new.xml")));
    EXPECT_EQ("new(child)", describe(document.getRootNode()));
    EXPECT_EQ(before + 2, liveInstances<CXMLNode>()) << "reading replaces the tree";
}

// The line is the value and 11 more bytes; the stream delivers pieces of 1023 bytes.
TEST(XMLDocument, LongLinesAreReadWholeUpToTheirLimit)
{
    for (const size_t length : {1000UL, 1011UL, 1012UL, 1013UL, 2035UL, 2036UL, 100000UL})
    {
        CXMLNode *root = new CXMLNode("r");
        root->addAttribute("long", std::string(length, 'v').c_str());
        root->addChildNode(CString("after"));
        const std::string tree = describe(root);
        EXPECT_EQ(tree, reread(root)) << "value of " << length << " bytes";
    }
    EXPECT_EQ("r(a)", readTree("<r v=\"" + std::string(3 << 20, 'x') + "\">\n<a/>\n</r>"))
        << "a line beyond a megabyte is cut, its value reported unclosed";
}

TEST(XMLDocument, DeepNestingNeedsNoRecursion)
{
    const long before = liveInstances<CXMLNode>();
    const auto depthOf = [](const CXMLNode *node) {
        long depth = 0;
        for (; node && node->getNumberOfChildNodes() == 1; node = node->getChildNode(0L))
            ++depth;
        return node && node->getNumberOfChildNodes() == 0 ? depth : -1;
    };
    EXPECT_TRUE(runOnSmallStack([&depthOf] {
        CTemporaryFolder folder;
        std::string opening, closing;
        for (int level = 0; level <= 10000; ++level)
        {
            opening += "<n>\n";
            closing += "</n>\n";
        }
        folder.write("flat.xml", DECLARATION + opening + closing);
        CXMLDocument flat;
        flat.readFile(folder.systemPath("flat.xml"));
        EXPECT_EQ(10000, depthOf(flat.getRootNode()));
        // Indentation passes the line limit of the stream from level 1024 on.
        CXMLDocument indented, copy;
        CXMLNode *node = new CXMLNode("n");
        indented.setRootNode(node);
        for (int level = 0; level < 3000; ++level)
            node = node->addChildNode(CString("n"));
        EXPECT_TRUE(indented.writeFile(folder.systemPath("indented.xml")));
        copy.readFile(folder.systemPath("indented.xml"));
        EXPECT_EQ(3000, depthOf(copy.getRootNode()));
    }));
    EXPECT_EQ(before, liveInstances<CXMLNode>());
}
