#include "gui/graphics/CClip.h"

#include "foundation/basics/CException.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Exceptions;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

TEST(Clip, InitialisingWithoutNativeImageThrows)
{
    CClip clip;
    try
    {
        clip.initialise(nullptr, CRect(0, 0, 10, 10), nullptr);
        FAIL() << "no exception";
    }
    catch (const CException &exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), "Native image is NULL");
        EXPECT_STREQ(exception.getFunctionName().getString(), "Orvalite::GUI::Graphics::CClip::initialise");
    }
}
} // namespace
