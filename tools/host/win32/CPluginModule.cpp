#include "tools/host/CPluginModule.h"

#include <windows.h>

#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// UTF-8 in, UTF-16 for the loader, so that any path loads.
std::wstring widened(const std::string &text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    if (length > 0)
    {
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
    }
    wide.resize(wide.size() - 1);
    return wide;
}

std::string systemMessage(DWORD code)
{
    char *text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string message = length > 0 && text ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    {
        message.pop_back();
    }
    return message;
}
} // namespace

// A name without a separator is looked for in the working directory, never on
// the DLL search path.
CPluginModule::CPluginModule(const std::string &path) : m_path(path)
{
    const bool hasFolder = path.find_first_of("\\/") != std::string::npos;
    const std::string loadedName = hasFolder ? path : ".\\" + path;
    HMODULE module = LoadLibraryW(widened(loadedName).c_str());
    if (module == nullptr)
    {
        throw std::runtime_error("cannot load " + path + ": " + systemMessage(GetLastError()));
    }
    m_handle = module;
    for (const char *name : {"VSTPluginMain", "main"})
    {
        if (FARPROC symbol = GetProcAddress(module, name))
        {
            m_entry = reinterpret_cast<VstPluginEntry>(reinterpret_cast<void *>(symbol));
            m_entryName = name;
            break;
        }
    }
    if (m_entry == nullptr)
    {
        FreeLibrary(module);
        throw std::runtime_error("cannot load " + path + ": no VST entry point (VSTPluginMain or main)");
    }
}

CPluginModule::~CPluginModule()
{
    FreeLibrary(static_cast<HMODULE>(m_handle));
}
} // namespace Zelo::Tools
