#include "gui/windowing/win32/CWin32WheelHook.h"

#include "gui/basics/win32/CWin32ResourceLedger.h"

namespace Orvalite::GUI::Windowing
{
using Basics::CWin32ResourceLedger;

CWin32WheelHook *CWin32WheelHook::s_installed = nullptr;

CWin32WheelHook::~CWin32WheelHook()
{
    remove();
}

bool CWin32WheelHook::install(TForward forward)
{
    if (m_hook || s_installed)
    {
        return m_hook != nullptr;
    }
    m_hook = SetWindowsHookExW(WH_MOUSE, &CWin32WheelHook::procedure, nullptr, GetCurrentThreadId());
    if (!m_hook)
    {
        return false;
    }
    CWin32ResourceLedger::created(CWin32ResourceLedger::e_hook);
    m_forward = std::move(forward);
    s_installed = this;
    return true;
}

void CWin32WheelHook::remove()
{
    if (!m_hook)
    {
        return;
    }
    UnhookWindowsHookEx(m_hook);
    CWin32ResourceLedger::released(CWin32ResourceLedger::e_hook);
    m_hook = nullptr;
    m_forward = nullptr;
    s_installed = nullptr;
}

LRESULT CALLBACK CWin32WheelHook::procedure(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && message == WM_MOUSEWHEEL && s_installed &&
        s_installed->m_forward(*reinterpret_cast<const MOUSEHOOKSTRUCTEX *>(data)))
    {
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, data);
}
} // namespace Orvalite::GUI::Windowing
