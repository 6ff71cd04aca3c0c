// The per-thread mouse hook that hands wheel messages to our window under the
// pointer: Windows sends the wheel to the focus window, which may be another
// of ours or the host's. Installed with our first window and removed with the
// last by CWin32WindowSystem; one per module at a time.
#pragma once

#include <windows.h>

#include <functional>

namespace Orvalite::GUI::Windowing
{
class CWin32WheelHook
{
public:
    // Answers whether the wheel message was delivered to a window of ours (it is then swallowed).
    using TForward = std::function<bool(const MOUSEHOOKSTRUCTEX &)>;

    CWin32WheelHook() = default;
    CWin32WheelHook(const CWin32WheelHook &) = delete;
    CWin32WheelHook &operator=(const CWin32WheelHook &) = delete;
    ~CWin32WheelHook();

    // Hooks the calling thread's mouse messages; false when Windows refuses.
    bool install(TForward forward);
    void remove();
    bool isInstalled() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK procedure(int code, WPARAM message, LPARAM data);

    static CWin32WheelHook *s_installed;
    HHOOK m_hook = nullptr;
    TForward m_forward;
};
} // namespace Orvalite::GUI::Windowing
