#include "foundation/host/CExtendedPrecision.h"

namespace Orvalite::Host
{
#if defined(__i386__) || defined(__x86_64__)
namespace
{
// Precision control, bits 8 and 9 of the control word: 11 is the 64-bit significand.
const unsigned short PRECISION_CONTROL = 0x0300;
} // namespace

CExtendedPrecision::CExtendedPrecision()
{
    __asm__ volatile("fnstcw %0" : "=m"(m_savedControlWord));
    const unsigned short extended = m_savedControlWord | PRECISION_CONTROL;
    __asm__ volatile("fldcw %0" : : "m"(extended));
}

CExtendedPrecision::~CExtendedPrecision()
{
    __asm__ volatile("fldcw %0" : : "m"(m_savedControlWord));
}
#else
CExtendedPrecision::CExtendedPrecision() = default;

CExtendedPrecision::~CExtendedPrecision() = default;
#endif
} // namespace Orvalite::Host
