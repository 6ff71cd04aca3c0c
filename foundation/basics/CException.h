// The framework's one exception type: a reason and the function (or chain of
// functions) it was raised in. `guard` wraps an operation so that whatever
// escapes it is rethrown with the operation's own words in front.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::Exceptions
{
class CException : public Basics::CCountedObject
{
public:
    // Every exception is fatal; the flag argument is accepted and not stored.
    CException(const Basics::CString &errorReason, const Basics::CString &functionName, bool fatal);
    CException(const CException &other) = default;

    virtual const Basics::CString &getErrorReason() const { return m_errorReason; }
    virtual const Basics::CString &getFunctionName() const { return m_functionName; }
    virtual bool isFatal() const { return m_isFatal; }

    // Runs `body`. A framework exception escaping it becomes one whose reason is
    // `caughtText` + inner reason + "\n\n" + inner function; anything else
    // becomes one with `unknownText`. Either way the function is `functionName`.
    template <class TBody>
    static auto guard(const char *caughtText, const char *unknownText, const char *functionName, TBody &&body)
        -> decltype(body())
    {
        try
        {
            return body();
        }
        catch (const CException &inner)
        {
            throwChained(caughtText, inner, functionName);
        }
        catch (...)
        {
            throwUnknown(unknownText, functionName);
        }
    }

    ORVALITE_CLASS_RECORD(CException)

private:
    [[noreturn]] static void throwChained(const char *caughtText, const CException &inner, const char *functionName);
    [[noreturn]] static void throwUnknown(const char *unknownText, const char *functionName);

    Basics::CString m_errorReason;
    Basics::CString m_functionName;
    bool m_isFatal = true;
};
} // namespace Orvalite::Exceptions
