#include "foundation/host/CProcessorFeatures.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

namespace Orvalite::Host
{
bool CProcessorFeatures::s_hasMMX = false;
bool CProcessorFeatures::s_hasSSE = false;
bool CProcessorFeatures::s_hasSSE2 = false;
bool CProcessorFeatures::s_hasSSE3 = false;
bool CProcessorFeatures::s_hasHyperThreading = false;

namespace
{
bool bit(uint32_t word, int index)
{
    return (word >> index) & 1U;
}
} // namespace

void CProcessorFeatures::detectFeatures()
{
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
#if defined(__i386__) || defined(__x86_64__)
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
    {
        ecx = edx = 0;
    }
#endif
    decodeFeatures(edx, ecx);
}

// "SSE3" is also reported for bit 28 of ECX, as the features report has always done.
void CProcessorFeatures::decodeFeatures(uint32_t edx, uint32_t ecx)
{
    s_hasMMX = bit(edx, 23);
    s_hasSSE = bit(edx, 25);
    s_hasSSE2 = bit(edx, 26);
    s_hasHyperThreading = bit(edx, 28);
    s_hasSSE3 = bit(ecx, 0) || bit(ecx, 28);
}
} // namespace Orvalite::Host
