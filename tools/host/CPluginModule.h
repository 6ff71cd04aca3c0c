// A VST 2.4 plug-in module loaded into this process: the shared object (or DLL) and its
// entry point. Instances share ownership of it, so it is unloaded after the last one.
#pragma once

#include "vst/VstAbi.h"

#include <string>

namespace Zelo::Tools
{
class CPluginModule
{
public:
    // Loads `path` and finds its entry; throws std::runtime_error naming the file
    // and the reason. A name without a folder means the working directory, not the
    // library search path.
    explicit CPluginModule(const std::string &path);
    ~CPluginModule();
    CPluginModule(const CPluginModule &) = delete;
    CPluginModule &operator=(const CPluginModule &) = delete;

    const std::string &path() const { return m_path; }
    VstPluginEntry entry() const { return m_entry; }
    // The exported name the entry was found under: "VSTPluginMain" or "main".
    const std::string &entryName() const { return m_entryName; }

private:
    std::string m_path;
    void *m_handle = nullptr;
    VstPluginEntry m_entry = nullptr;
    std::string m_entryName;
};
} // namespace Zelo::Tools
