// Expects an action to throw the framework's exception with exactly this
// reason, raised in exactly this function.
#pragma once

#include "foundation/basics/CException.h"

#include <gtest/gtest.h>

#include <functional>

namespace Orvalite::Testing
{
inline void expectThrows(const std::function<void()> &action, const char *reason, const char *function)
{
    try
    {
        action();
        ADD_FAILURE() << function << " did not throw";
    }
    catch (const Exceptions::CException &exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), reason);
        EXPECT_STREQ(exception.getFunctionName().getString(), function);
    }
}
} // namespace Orvalite::Testing
