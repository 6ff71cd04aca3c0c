#include "foundation/threading/CCriticalSection.h"

#include <windows.h>

namespace Orvalite::Threading
{
// A Win32 critical section is recursive by nature: its owner may enter again.
struct CCriticalSection::SPlatformSection
{
    CRITICAL_SECTION section;
};

void CCriticalSection::SPlatformSectionDeleter::operator()(SPlatformSection *section) const
{
    DeleteCriticalSection(&section->section);
    delete section;
}

CCriticalSection::CCriticalSection() : m_section(new SPlatformSection)
{
    InitializeCriticalSection(&m_section->section);
}

CCriticalSection::~CCriticalSection() = default;

void CCriticalSection::enter()
{
    EnterCriticalSection(&m_section->section);
}

void CCriticalSection::leave()
{
    LeaveCriticalSection(&m_section->section);
}

bool CCriticalSection::tryEnterOnce()
{
    return TryEnterCriticalSection(&m_section->section) != 0;
}

void CCriticalSection::sleepMilliseconds(long milliseconds)
{
    Sleep(static_cast<DWORD>(milliseconds));
}
} // namespace Orvalite::Threading
