// Sets (or, with a null value, removes) an environment variable for one scope
// and puts back what was there before.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace Orvalite::Testing
{
// The variable naming the user's configuration folder.
#ifdef _WIN32
constexpr const char *CONFIGURATION_VARIABLE = "APPDATA";
#else
constexpr const char *CONFIGURATION_VARIABLE = "XDG_CONFIG_HOME";
#endif

class CScopedEnvironment
{
public:
    CScopedEnvironment(const char *name, const char *value) : m_name(name)
    {
        if (const char *previous = std::getenv(name))
        {
            m_previous = previous;
        }
        set(name, value);
    }
    ~CScopedEnvironment() { set(m_name.c_str(), m_previous ? m_previous->c_str() : nullptr); }
    CScopedEnvironment(const CScopedEnvironment &) = delete;
    CScopedEnvironment &operator=(const CScopedEnvironment &) = delete;

private:
    static void set(const char *name, const char *value)
    {
#ifdef _WIN32
        // An empty value removes the variable.
        _putenv_s(name, value ? value : "");
#else
        value ? setenv(name, value, 1) : unsetenv(name);
#endif
    }

    std::string m_name;
    std::optional<std::string> m_previous;
};
} // namespace Orvalite::Testing
