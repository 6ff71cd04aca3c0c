#include "foundation/basics/CClass.h"
#include "foundation/basics/CBool.h"
#include "foundation/basics/CClassManager.h"
#include "foundation/basics/CDouble.h"
#include "foundation/basics/CException.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"
#include "foundation/basics/CString.h"
#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/io/CTextStream.h"
#include "foundation/mathtools/CParameter.h"
#include "foundation/mathtools/CPolygon.h"
#include "foundation/mathtools/CRect.h"
#include "tests/support/CLeakCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace Orvalite::Basics;

namespace
{
int countRecordsNamed(const char *name)
{
    int count = 0;
    for (long index = 0; index < CClassManager::getNumberOfClasses(); ++index)
    {
        count += *CClassManager::getClassAtIndex(index) == name ? 1 : 0;
    }
    return count;
}

std::string readFile(const std::string &path)
{
    std::ifstream input(path);
    std::ostringstream text;
    text << input.rdbuf();
    return text.str();
}
} // namespace

TEST(ClassRegistry, HoldsEachNameOnceAndFrameworkClassesRegisterAtStartUp)
{
    static CClass first("RegistryTestClass", "CCountedObject");
    static CClass second("RegistryTestClass", "CString");
    CClassManager::registerClass(nullptr);
    EXPECT_EQ(1, countRecordsNamed("RegistryTestClass"));
    EXPECT_EQ(&first, CClassManager::findClass("RegistryTestClass"));
    EXPECT_EQ(nullptr, CClassManager::findClass("registrytestclass")) << "lookups are case-sensitive";
    EXPECT_EQ(nullptr, CClassManager::findClass(nullptr));
    for (const char *name : {"CCountedObject", "CString", "CSystemString", "CException", "CBool", "CLong", "CFloat",
                             "CDouble", "CPoint", "CDimension", "CRect", "CPolygon", "CParameter"})
    {
        ASSERT_NE(nullptr, CClassManager::findClass(name)) << name;
        EXPECT_STREQ(std::string(name) == "CCountedObject" ? "UndefinedParent" : "CCountedObject",
                     CClassManager::findClass(name)->getParentClassName())
            << name;
    }
}

TEST(ClassRecord, TypeTestsFollowDeclaredParentsAndEndOnCycles)
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

TEST(ClassRecord, NamesAreBoundedAndCompareExactly)
{
    const std::string longName(300, 'x');
    CClass record;
    EXPECT_STREQ("UndefinedClass", record.getClassName());
    record.setClassName(longName.c_str());
    EXPECT_EQ(std::string(127, 'x'), record.getClassName());
    record.setClassName(nullptr);
    EXPECT_EQ(std::string(127, 'x'), record.getClassName()) << "a null name changes nothing";

    CClass named;
    named.setClassName("Alpha");
    EXPECT_TRUE(named == "Alpha");
    EXPECT_FALSE(named == "alpha");
}

TEST(ClassRecord, CountsLiveAndTotalInstancesInEveryAncestor)
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

struct TemplateNameCase
{
    const char *templateName;
    const char *typeName;
    const char *expected;
};

class TemplateNaming : public testing::TestWithParam<TemplateNameCase>
{
};

TEST_P(TemplateNaming, UsesShortTypeName)
{
    const auto &example = GetParam();
    EXPECT_EQ(example.expected, CClass::makeTemplateInstanceName(example.templateName, example.typeName))
        << example.templateName << " with " << example.typeName;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TemplateNaming,
    testing::Values(TemplateNameCase{"TCountedPointerArray<TypeName>", "class Orvalite::IO::CXMLNode",
                                     "TCountedPointerArray<CXMLNode>"},
                    TemplateNameCase{"TPointerCollection<TypeName>", "Orvalite::Basics::CString",
                                     "TPointerCollection<CString>"},
                    TemplateNameCase{"TObjectDeleter<TypeName>", "class CClass", "TObjectDeleter<CClass>"},
                    TemplateNameCase{"TPlain", "Orvalite::Basics::CString", "TPlain"},
                    TemplateNameCase{"TPointerCollection<TypeName>", "int", "TPointerCollection<int>"}));

TEST(ClassRecord, TemplateInstancesNameTheirParentTemplate)
{
    Orvalite::Collections::TCountedPointerArray<CString> strings;
    EXPECT_STREQ("TCountedPointerArray<CString>", strings.getClass().getClassName());
    EXPECT_STREQ("TPointerCollection<CString>", strings.getClass().getParentClassName());
    EXPECT_TRUE(strings.getClass().isTypeOf(CCountedObject::getClassRecord()));
}

TEST(ClassReport, ListsLiveClassesWithSums)
{
    CString one("1"), two("2");
    const std::string report = Orvalite::Testing::CLeakCheck::classReport();
    std::istringstream lines(report);
    std::vector<std::string> rows;
    for (std::string line; std::getline(lines, line);)
    {
        rows.push_back(line);
    }
    ASSERT_GE(rows.size(), 8u) << report;
    const std::string border =
        "+" + std::string(65, '-') + "+" + std::string(10, '-') + "+" + std::string(10, '-') + "+";
    EXPECT_EQ(border, rows[0]);
    EXPECT_EQ("| Class Name" + std::string(54, ' ') + "| Instance |   Total  |", rows[3]);
    EXPECT_EQ(border, rows.back());
    const auto stringRow = std::find_if(rows.begin(), rows.end(), [](const std::string &row) {
        return row.compare(0, 66, "| " + std::string(56, ' ') + "CString ") == 0;
    });
    ASSERT_NE(rows.end(), stringRow) << report;
    EXPECT_GE(std::stol(stringRow->substr(67, 10)), 2) << *stringRow;
    EXPECT_EQ(std::string::npos, report.find("RegistryTestClass")) << "classes without live instances are left out";
    long liveSum = 0, totalSum = 0;
    for (size_t row = 5; row + 3 < rows.size(); ++row)
    {
        liveSum += std::stol(rows[row].substr(67, 10));
        totalSum += std::stol(rows[row].substr(78, 10));
    }
    EXPECT_EQ(liveSum, std::stol(rows[rows.size() - 2].substr(67, 10)));
    EXPECT_EQ(totalSum, std::stol(rows[rows.size() - 2].substr(78, 10)));
}

TEST(ClassRegistryDeathTest, ShutdownWritesSortedReportAndStartsAfresh)
{
    char path[] = "/tmp/zelo-shutdown-XXXXXX";
    close(mkstemp(path));
    EXPECT_EXIT(
        {
            CString keep("alive");
            Orvalite::Collections::TCountedPointerArray<CString> strings;
            shutdownClassRegistry(path);
            const bool emptied = CClassManager::getNumberOfClasses() == 0 && !CClassManager::findClass("CString");
            CClass later("AfterShutdown");
            const bool fresh = CClassManager::findClass("AfterShutdown") == &later;
            std::exit(emptied && fresh ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    const std::string report = readFile(path);
    std::remove(path);
    const auto strings = report.find("                                                        CString |");
    const auto array = report.find("TCountedPointerArray<CString> |");
    ASSERT_NE(std::string::npos, strings) << report;
    ASSERT_NE(std::string::npos, array) << report;
    EXPECT_LT(report.find("CCountedObject |"), strings) << "rows are sorted by name";
    EXPECT_LT(strings, array);
}

TEST(ClassRegistryDeathTest, ShutdownWithoutPathWritesNothing)
{
    EXPECT_EXIT(
        {
            shutdownClassRegistry(nullptr);
            std::exit(CClassManager::getNumberOfClasses() == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
