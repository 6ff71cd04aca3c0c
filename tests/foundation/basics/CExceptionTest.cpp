#include "foundation/basics/CException.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace Orvalite::Basics;
using Orvalite::Exceptions::CException;

namespace
{
// A string whose storing fails the way a framework operation deep inside would.
class CFailingString : public CString
{
public:
    using CString::CString;
    using CString::setString;
    void setString(const char *) override { throw CException("Disk is full", "Test::storeSomewhere", true); }
    void appendString(const char *) override { throw std::bad_alloc(); }
};
} // namespace

TEST(ExceptionChaining, ReasonReadsFromOutermostOperationInwards)
{
    CFailingString text("  padded  ");
    try
    {
        text.removeTrailingAndLeadingWhiteSpace();
        FAIL() << "the failing store must surface";
    }
    catch (const CException &error)
    {
        EXPECT_EQ(CString("Caught exception during white space removal, more below\n\n"
                          "Caught exception during leading white space removal, more below\n\n"
                          "Disk is full\n\nTest::storeSomewhere\n\n"
                          "Orvalite::Basics::CString::removeLeadingWhiteSpace"),
                  error.getErrorReason());
        EXPECT_EQ(CString("Orvalite::Basics::CString::removeTrailingAndLeadingWhiteSpace"), error.getFunctionName());
        EXPECT_TRUE(error.isFatal());
    }
}

TEST(ExceptionChaining, ForeignExceptionsBecomeTheUnknownText)
{
    CFailingString text("a");
    try
    {
        text += "b";
        FAIL() << "the allocation failure must surface";
    }
    catch (const CException &error)
    {
        EXPECT_EQ(CString("Caught unknown exception during string append"), error.getErrorReason());
        EXPECT_EQ(CString("Orvalite::Basics::CString::operator +="), error.getFunctionName());
    }
}

TEST(ExceptionChaining, GuardPassesResultsThroughUntouched)
{
    EXPECT_EQ(42, CException::guard("caught", "unknown", "f", [] { return 42; }));
    EXPECT_THROW(CException::guard("caught", "unknown", "f", [] { throw std::runtime_error("x"); }), CException);
}

TEST(Exception, CopiesKeepReasonAndFunctionAndCountInstances)
{
    const long live = CException::getClassRecord().getNumberOfInstances();
    CException original("reason", "function", false);
    CException copy(original);
    EXPECT_EQ(CString("reason"), copy.getErrorReason());
    EXPECT_EQ(CString("function"), copy.getFunctionName());
    EXPECT_TRUE(copy.isFatal()) << "every exception is fatal";
    EXPECT_EQ(live + 2, CException::getClassRecord().getNumberOfInstances());
    EXPECT_STREQ("CCountedObject", copy.getClass().getParentClassName());
}
