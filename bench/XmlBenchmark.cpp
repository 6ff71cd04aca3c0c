// Writing and reading a 10 000-node XML document through the framework's
// text streams, in nodes per second. The tree is two levels deep under the
// root, each node with a number and a text that needs escaping.
#include "foundation/io/CXMLDocument.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::IO::CXMLAttribute;
using Orvalite::IO::CXMLDocument;
using Orvalite::IO::CXMLNode;

namespace
{
// The root, 99 groups and 100 items in each group.
const long GROUPS = 99;
const long ITEMS_PER_GROUP = 100;
const long NODES = 1 + GROUPS * (1 + ITEMS_PER_GROUP);

void describeNode(CXMLNode &node, long index)
{
    node.addAttribute(new CXMLAttribute("index", index));
    node.addAttribute(new CXMLAttribute("label", "item \"quoted\" & <bracketed>"));
}

CXMLNode *buildTree()
{
    CXMLNode *root = new CXMLNode("document");
    long index = 0;
    describeNode(*root, index++);
    for (long group = 0; group < GROUPS; ++group)
    {
        CXMLNode *groupNode = root->addChildNode(CString("group"));
        describeNode(*groupNode, index++);
        for (long item = 0; item < ITEMS_PER_GROUP; ++item)
        {
            describeNode(*groupNode->addChildNode(CString("item")), index++);
        }
    }
    return root;
}

class CTemporaryPath
{
public:
    CTemporaryPath()
    {
        char pattern[] = "/tmp/zelo-xml-bench-XXXXXX";
        const int descriptor = mkstemp(pattern);
        if (descriptor >= 0)
        {
            close(descriptor);
        }
        m_path = pattern;
    }
    ~CTemporaryPath() { std::remove(m_path.c_str()); }

    CSystemString path() const { return CSystemString(m_path.c_str()); }

private:
    std::string m_path;
};

void reportNodes(benchmark::State &state)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * NODES);
    state.counters["nodes"] = static_cast<double>(NODES);
}

void BM_XmlWrite(benchmark::State &state)
{
    CTemporaryPath file;
    CXMLDocument document;
    document.setRootNode(buildTree());
    for (auto _ : state)
    {
        if (!document.writeFile(file.path()))
        {
            state.SkipWithError("the document was not written");
            break;
        }
    }
    reportNodes(state);
}
BENCHMARK(BM_XmlWrite)->Unit(benchmark::kMillisecond);

void BM_XmlRead(benchmark::State &state)
{
    CTemporaryPath file;
    {
        CXMLDocument source;
        source.setRootNode(buildTree());
        source.writeFile(file.path());
    }
    for (auto _ : state)
    {
        CXMLDocument document;
        if (!document.readFile(file.path()) || !document.getRootNode())
        {
            state.SkipWithError("the document was not read");
            break;
        }
        benchmark::DoNotOptimize(document.getRootNode());
    }
    reportNodes(state);
}
BENCHMARK(BM_XmlRead)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
