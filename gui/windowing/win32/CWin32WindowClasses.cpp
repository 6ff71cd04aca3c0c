#include "gui/windowing/win32/CWin32WindowClasses.h"

#include "foundation/basics/win32/CWideText.h"

namespace Orvalite::GUI::Windowing
{
using ::Orvalite::Basics::Win32::CWideText;

CWin32WindowClasses::CWin32WindowClasses(WNDPROC procedure) : m_procedure(procedure)
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(procedure), &module);
    m_instance = module;
}

CWin32WindowClasses::~CWin32WindowClasses()
{
    for (const auto &[name, ours] : m_classes)
    {
        if (ours)
        {
            UnregisterClassW(CWideText::fromUtf8(name.c_str()).c_str(), m_instance);
        }
    }
}

bool CWin32WindowClasses::add(const std::string &name, bool dropShadow)
{
    if (name.empty())
    {
        return false;
    }
    if (contains(name))
    {
        return true;
    }
    const std::wstring wideName = CWideText::fromUtf8(name.c_str());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS | (dropShadow ? CS_DROPSHADOW : 0);
    windowClass.lpfnWndProc = m_procedure;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = wideName.c_str();
    if (RegisterClassExW(&windowClass) != 0)
    {
        m_classes[name] = true;
        return true;
    }
    // Another window system of this module registered it: usable, not ours to unregister.
    if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
    {
        m_classes[name] = false;
        return true;
    }
    return false;
}
} // namespace Orvalite::GUI::Windowing
