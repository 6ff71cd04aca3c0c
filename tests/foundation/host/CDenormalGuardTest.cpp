#include "foundation/host/CDenormalGuard.h"

#include "tests/foundation/FoundationTestSupport.h"

using Orvalite::Host::CDenormalGuard;

namespace
{
// Kept out of the compiler's reach so the products happen at run time.
volatile float s_small = 1e-38f, s_scale = 1e-3f, s_subnormal = 1e-41f;
} // namespace

#if defined(__SSE__) || defined(__x86_64__)
TEST(DenormalGuard, FlushesSubnormalsOnlyWhileItLives)
{
    const auto product = [] { return s_small * s_scale; };
    const auto passThrough = [] { return s_subnormal * 1.0f; };
    ASSERT_EQ(FP_SUBNORMAL, std::fpclassify(product())) << "the caller's mode keeps subnormals";
    {
        const CDenormalGuard guard;
        EXPECT_EQ(0.0f, product()) << "results are flushed to zero";
        EXPECT_EQ(0.0f, passThrough()) << "subnormal operands count as zero";
    }
    EXPECT_EQ(FP_SUBNORMAL, std::fpclassify(product())) << "the caller's mode is back";
    EXPECT_EQ(FP_SUBNORMAL, std::fpclassify(passThrough()));
}
#endif
