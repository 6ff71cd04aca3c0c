#include "foundation/basics/CClass.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TCountedPointerArray.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <cstdio>

using namespace Orvalite::Basics;

namespace
{
int countRecordsNamed(const char *name)
{
    int count = 0;
    for (long index = 0; index < CClassManager::getNumberOfClasses(); ++index)
        count += *CClassManager::getClassAtIndex(index) == name ? 1 : 0;
    return count;
}
} // namespace

TEST(ClassRegistry, HoldsEachExactlySpelledNameOnce)
{
    static CClass first("RegistryTestClass", "CCountedObject");
    static CClass second("RegistryTestClass", "CString");
    CClassManager::registerClass(nullptr);
    EXPECT_EQ(1, countRecordsNamed("RegistryTestClass"));
    EXPECT_EQ(&first, CClassManager::findClass("RegistryTestClass"));
    EXPECT_EQ(nullptr, CClassManager::findClass("registrytestclass")) << "lookups are case-sensitive";
    EXPECT_EQ(nullptr, CClassManager::findClass(nullptr));
}

TEST(ClassRegistry, FrameworkClassesRegisterAtStartUp)
{
    for (const char *name :
         {"CCountedObject", "CString", "CSystemString", "CException", "CPoint", "CDimension", "CRect", "CPolygon"})
        EXPECT_NE(nullptr, CClassManager::findClass(name)) << name;
}

// Walks the chain of declared parent names, which may end nowhere or loop.
TEST(ClassRecord, TypeTestsWalkTheDeclaredParentChain)
{
    static CClass base("TypeTestBase", "CCountedObject");
    static CClass middle("TypeTestMiddle", "TypeTestBase");
    static CClass leaf("TypeTestLeaf", "TypeTestMiddle");
    static CClass orphan("TypeTestOrphan");
    static CClass cycleFirst("CycleFirst", "CycleSecond");
    static CClass cycleSecond("CycleSecond", "CycleFirst");
    const CClass &counted = CCountedObject::getClassRecord();
    EXPECT_TRUE(leaf.isTypeOf(leaf) && leaf.isTypeOf(middle) && leaf.isTypeOf(base) && leaf.isTypeOf(counted));
    EXPECT_FALSE(base.isTypeOf(leaf)) << "a parent is not of its child's type";
    EXPECT_TRUE(orphan.isTypeOf(orphan));
    EXPECT_FALSE(orphan.isTypeOf(counted)) << "UndefinedParent ends the chain";
    EXPECT_TRUE(CString().getClass().isTypeOf(counted));
    EXPECT_FALSE(CSystemString().getClass().isTypeOf(CString::getClassRecord()))
        << "path strings declare CCountedObject as their parent";
    EXPECT_FALSE(cycleFirst.isTypeOf(orphan)) << "a cycle of parent names ends";
    EXPECT_TRUE(cycleFirst.isTypeOf(cycleSecond));
}

TEST(ClassRecord, NamesAreCutTo127Characters)
{
    CClass record;
    record.setClassName(std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(127, 'x'), record.getClassName());
    record.setClassName(nullptr);
    EXPECT_EQ(std::string(127, 'x'), record.getClassName()) << "a null name changes nothing";
}

TEST(ClassRecord, InstanceCountsReachEveryAncestor)
{
    CClass &strings = CString::getClassRecord();
    CClass &counted = CCountedObject::getClassRecord();
    const long liveStrings = strings.getNumberOfInstances();
    const long totalStrings = strings.getTotalNumberOfInstances();
    const long liveCounted = counted.getNumberOfInstances();
    {
        CString first("a");
        CString copy(first);
        EXPECT_EQ(liveStrings + 2, strings.getNumberOfInstances());
        EXPECT_EQ(liveCounted + 2, counted.getNumberOfInstances());
    }
    EXPECT_EQ(liveStrings, strings.getNumberOfInstances());
    EXPECT_EQ(totalStrings + 2, strings.getTotalNumberOfInstances());
    EXPECT_EQ(liveCounted, counted.getNumberOfInstances());
}

TEST(ClassRecord, TemplateInstanceNamesUseTheShortTypeName)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"TCountedPointerArray<TypeName>", "class Orvalite::IO::CXMLNode", "TCountedPointerArray<CXMLNode>"},
        {"TPointerCollection<TypeName>", "Orvalite::Basics::CString", "TPointerCollection<CString>"},
        {"TObjectDeleter<TypeName>", "class CClass", "TObjectDeleter<CClass>"},
        {"TPlain", "Orvalite::Basics::CString", "TPlain"},
        {"TPointerCollection<TypeName>", "int", "TPointerCollection<int>"},
    };
    for (const auto &[templateName, typeName, expected] : cases)
        EXPECT_EQ(expected, CClass::makeTemplateInstanceName(templateName, typeName))
            << templateName << " with " << typeName;
}

TEST(ClassRecord, TemplateInstancesNameTheirParentTemplate)
{
    Orvalite::Collections::TCountedPointerArray<CString> strings;
    EXPECT_STREQ("TCountedPointerArray<CString>", strings.getClass().getClassName());
    EXPECT_STREQ("TPointerCollection<CString>", strings.getClass().getParentClassName());
    EXPECT_TRUE(strings.getClass().isTypeOf(CCountedObject::getClassRecord()));
}

// The plug-in shuts down without a report path; the report comes only on request: one check of its key lines.
// The child checks its own report, as on Windows it is a new run of the program with a folder of its own.
TEST(ClassRegistryDeathTest, ShutdownOnRequestReportsTheLiveClasses)
{
    EXPECT_EXIT(
        {
            CString keep("alive");
            bool complete = false;
            {
                const Orvalite::Testing::CTemporaryFolder folder;
                shutdownClassRegistry(folder.file("report.txt").c_str());
                const std::string report = folder.readText("report.txt");
                std::fputs(report.c_str(), stderr);
                complete = report.find("| Class Name" + std::string(54, ' ') + "| Instance |   Total  |\n") !=
                               std::string::npos &&
                           report.find("| " + std::string(56, ' ') + "CString |") != std::string::npos &&
                           report.find("RegistryTestClass") == std::string::npos;
            }
            std::exit(complete ? 0 : 1);
        },
        testing::ExitedWithCode(0), "")
        << "the header, a row for the live CString, none for classes without live instances";
}

TEST(ClassRegistryDeathTest, ShutdownEmptiesTheRegistryForAFreshStart)
{
    EXPECT_EXIT(
        {
            shutdownClassRegistry(nullptr);
            const bool emptied = CClassManager::getNumberOfClasses() == 0 && !CClassManager::findClass("CString");
            CClass later("AfterShutdown");
            std::exit(emptied && CClassManager::findClass("AfterShutdown") == &later ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
