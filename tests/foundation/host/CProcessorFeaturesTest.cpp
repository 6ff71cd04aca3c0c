#include "foundation/host/CProcessorFeatures.h"

#include <gtest/gtest.h>

using Orvalite::Host::CProcessorFeatures;

TEST(ProcessorFeatures, DecodesTheFeatureBits)
{
    CProcessorFeatures::decodeFeatures(1u << 23 | 1u << 26, 0);
    EXPECT_TRUE(CProcessorFeatures::hasMMX());
    EXPECT_FALSE(CProcessorFeatures::hasSSE());
    EXPECT_TRUE(CProcessorFeatures::hasSSE2());
    EXPECT_FALSE(CProcessorFeatures::hasSSE3());
    EXPECT_FALSE(CProcessorFeatures::hasHyperThreading());

    CProcessorFeatures::decodeFeatures(1u << 25 | 1u << 28, 1u << 28);
    EXPECT_TRUE(CProcessorFeatures::hasSSE());
    EXPECT_TRUE(CProcessorFeatures::hasHyperThreading());
    EXPECT_TRUE(CProcessorFeatures::hasSSE3()) << "bit 28 of ECX also reports SSE3";
    CProcessorFeatures::decodeFeatures(0, 1);
    EXPECT_TRUE(CProcessorFeatures::hasSSE3());
}

#if defined(__x86_64__)
TEST(ProcessorFeatures, EveryX86_64ProcessorHasSse2)
{
    CProcessorFeatures::detectFeatures();
    EXPECT_TRUE(CProcessorFeatures::hasSSE());
    EXPECT_TRUE(CProcessorFeatures::hasSSE2());
    EXPECT_TRUE(CProcessorFeatures::hasMMX());
}
#endif
