// A fresh folder under the system's temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include "foundation/basics/CSystemString.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace Orvalite::Testing
{
class CTemporaryFolder
{
public:
    CTemporaryFolder() : m_path((std::filesystem::temp_directory_path() / "zelo-files-XXXXXX").string())
    {
        if (!mkdtemp(m_path.data()))
            throw std::runtime_error("cannot create a temporary folder");
    }
    CTemporaryFolder(const CTemporaryFolder &) = delete;
    CTemporaryFolder &operator=(const CTemporaryFolder &) = delete;
    ~CTemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // Without a trailing separator.
    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + "/" + name; }
    // The same, as the framework's path strings.
    Basics::CSystemString systemPath() const { return Basics::CSystemString(m_path.c_str()); }
    Basics::CSystemString systemPath(const std::string &name) const { return file(name).c_str(); }

    void write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string &name) const
    {
        std::ifstream input(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string &name) const { return std::filesystem::exists(file(name)); }
    long countEntries() const
    {
        return static_cast<long>(
            std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
    }

private:
    std::string m_path;
};
} // namespace Orvalite::Testing
