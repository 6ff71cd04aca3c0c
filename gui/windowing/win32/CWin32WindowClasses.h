// The window classes our windows are made of, registered with the module's
// own instance (the DLL's, not the host's) and unregistered when the window
// system goes, at the latest when the module unloads. Owned by CWin32WindowSystem.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace Orvalite::GUI::Windowing
{
class CWin32WindowClasses
{
public:
    // Classes get `procedure` as their window procedure; the module is the one holding it.
    explicit CWin32WindowClasses(WNDPROC procedure);
    CWin32WindowClasses(const CWin32WindowClasses &) = delete;
    CWin32WindowClasses &operator=(const CWin32WindowClasses &) = delete;
    ~CWin32WindowClasses();

    // Registers the class (double clicks, the arrow cursor, no background
    // brush, a drop shadow if asked); a known class succeeds again.
    bool add(const std::string &name, bool dropShadow);
    bool contains(const std::string &name) const { return m_classes.count(name) != 0; }
    HINSTANCE getInstance() const { return m_instance; }

private:
    WNDPROC m_procedure;
    HINSTANCE m_instance = nullptr;
    // Known classes, and whether we registered them (and so unregister them).
    std::map<std::string, bool> m_classes;
};
} // namespace Orvalite::GUI::Windowing
