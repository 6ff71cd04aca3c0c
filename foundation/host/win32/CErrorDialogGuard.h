// Keeps the system's critical-error dialogs ("no disk in the drive", a library
// that cannot load) off for the calling thread while it lives, so that no such
// dialog stops the host; the thread's previous mode returns at its end.
#pragma once

namespace Orvalite::Host::Win32
{
class CErrorDialogGuard
{
public:
    CErrorDialogGuard();
    CErrorDialogGuard(const CErrorDialogGuard &) = delete;
    CErrorDialogGuard &operator=(const CErrorDialogGuard &) = delete;
    ~CErrorDialogGuard();

private:
    unsigned long m_previousMode = 0;
    bool m_isChanged = false;
};
} // namespace Orvalite::Host::Win32
