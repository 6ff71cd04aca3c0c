#include "foundation/basics/CException.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <new>

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

// Each guarded operation puts its line before the reason it caught; a foreign exception becomes its "unknown" text.
TEST(ExceptionChaining, ReasonReadsFromOutermostOperationInwards)
{
    const std::tuple<const char *, void (*)(CString &), const char *, const char *> cases[] = {
        {"white space removal over a failing store", [](CString &text) { text.removeTrailingAndLeadingWhiteSpace(); },
         "Caught exception during white space removal, more below\n\n"
         "Caught exception during leading white space removal, more below\n\n"
         "Disk is full\n\nTest::storeSomewhere\n\nOrvalite::Basics::CString::removeLeadingWhiteSpace",
         "Orvalite::Basics::CString::removeTrailingAndLeadingWhiteSpace"},
        {"an append failing to allocate", [](CString &text) { text += "b"; },
         "Caught unknown exception during string append", "Orvalite::Basics::CString::operator +="},
    };
    for (const auto &[operation, run, reason, function] : cases)
    {
        CFailingString failing("  padded  ");
        try
        {
            run(failing);
            ADD_FAILURE() << operation << ": the failure must surface";
        }
        catch (const CException &error)
        {
            EXPECT_STREQ(reason, error.getErrorReason().getString()) << operation;
            EXPECT_STREQ(function, error.getFunctionName().getString()) << operation;
        }
    }
}

TEST(Exception, EveryExceptionIsFatal)
{
    EXPECT_TRUE(CException("reason", "function", false).isFatal());
}
