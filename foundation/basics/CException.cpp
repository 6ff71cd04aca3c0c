#include "foundation/basics/CException.h"

namespace Orvalite::Exceptions
{
ORVALITE_DEFINE_CLASS_RECORD(CException, "CException", "CCountedObject")

CException::CException(const Basics::CString &errorReason, const Basics::CString &functionName, bool)
    : m_errorReason(errorReason), m_functionName(functionName)
{
}

void CException::throwChained(const char *caughtText, const CException &inner, const char *functionName)
{
    Basics::CString reason(caughtText);
    reason += inner.getErrorReason();
    reason += "\n\n";
    reason += inner.getFunctionName();
    throw CException(reason, Basics::CString(functionName), true);
}

void CException::throwUnknown(const char *unknownText, const char *functionName)
{
    throw CException(Basics::CString(unknownText), Basics::CString(functionName), true);
}
} // namespace Orvalite::Exceptions
