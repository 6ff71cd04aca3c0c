#include "foundation/host/CDenormalGuard.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#define ORVALITE_HAS_MXCSR 1
#endif

namespace Orvalite::Host
{
namespace
{
// MXCSR bits: flush-to-zero (15) and denormals-are-zero (6).
const unsigned int FLUSH_DENORMALS = 0x8040;
} // namespace

#if defined(ORVALITE_HAS_MXCSR)
CDenormalGuard::CDenormalGuard() : m_savedMode(_mm_getcsr())
{
    _mm_setcsr(m_savedMode | FLUSH_DENORMALS);
}

CDenormalGuard::~CDenormalGuard()
{
    _mm_setcsr(m_savedMode);
}
#else
CDenormalGuard::CDenormalGuard() : m_savedMode(0) {}

CDenormalGuard::~CDenormalGuard() = default;
#endif
} // namespace Orvalite::Host
