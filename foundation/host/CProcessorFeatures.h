// Processor features found once when the module loads (identification leaf 1)
// and read by the features report.
#pragma once

#include <cstdint>

namespace Orvalite::Host
{
class CProcessorFeatures
{
public:
    static void detectFeatures();
    // Decodes the feature words of identification leaf 1 (EDX and ECX).
    static void decodeFeatures(uint32_t edx, uint32_t ecx);

    static bool hasMMX() { return s_hasMMX; }
    static bool hasSSE() { return s_hasSSE; }
    static bool hasSSE2() { return s_hasSSE2; }
    static bool hasSSE3() { return s_hasSSE3; }
    static bool hasHyperThreading() { return s_hasHyperThreading; }

private:
    static bool s_hasMMX;
    static bool s_hasSSE;
    static bool s_hasSSE2;
    static bool s_hasSSE3;
    static bool s_hasHyperThreading;
};
} // namespace Orvalite::Host
