// Loads a shared library by path and looks up its exported functions. Owns
// the loaded module until unloaded or destroyed.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::Host
{
class CDLLLoader : public Basics::CCountedObject
{
public:
    CDLLLoader() = default;
    // Loads `path` as loadDll does (and throws as it does).
    explicit CDLLLoader(const Basics::CString &path);
    CDLLLoader(const CDLLLoader &) = delete;
    CDLLLoader &operator=(const CDLLLoader &) = delete;
    ~CDLLLoader() override;

    // Throws CException ("<path> doesnt exist") when there is no such file.
    // Otherwise lets go of any module held and loads this one; a file that is
    // not a loadable library leaves no module (isLoaded() is false).
    void loadDll(const Basics::CString &path);
    // The exported symbol, or null (also when nothing is loaded).
    void *getFunction(const Basics::CString &name) const;
    void unloadDll();
    bool isLoaded() const { return m_module != nullptr; }
    const Basics::CString &getDllPath() const { return m_dllPath; }

    ORVALITE_CLASS_RECORD(CDLLLoader)

private:
    // The platform's loader: the module's handle, or null when it does not load.
    static void *openModule(const Basics::CString &path);

    Basics::CString m_dllPath;
    // The platform module handle; null when nothing is loaded.
    void *m_module = nullptr;
};
} // namespace Orvalite::Host
