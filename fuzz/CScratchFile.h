// A scratch file of one fuzzing process, for code under test that reads from a
// path: it holds one input's bytes and is removed when it goes, after every
// input, since libFuzzer may end the process without running exit handlers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

class CScratchFile
{
public:
    // "/tmp/zelo-<name>-<process id><suffix>"
    CScratchFile(const char *name, const char *suffix)
        : m_path("/tmp/zelo-" + std::string(name) + "-" + std::to_string(getpid()) + suffix)
    {
    }
    // A file of that name inside `folder`.
    CScratchFile(const std::string &folder, const char *name) : m_path(folder + "/" + name) {}
    ~CScratchFile() { std::remove(m_path.c_str()); }
    CScratchFile(const CScratchFile &) = delete;
    CScratchFile &operator=(const CScratchFile &) = delete;

    const std::string &getPath() const { return m_path; }

    // True when every byte reached the file.
    bool write(const uint8_t *data, size_t size) const
    {
        FILE *file = std::fopen(m_path.c_str(), "wb");
        if (!file)
        {
            return false;
        }
        const bool complete = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && complete;
    }

private:
    std::string m_path;
};
