// A fresh folder under the system's temporary folder for one test, removed with everything in it when the test ends.
#pragma once

#include "foundation/basics/CSystemString.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace Orvalite::Testing
{
class CTemporaryFolder
{
public:
    CTemporaryFolder()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt)
        {
            const auto candidate = std::filesystem::temp_directory_path() / ("zelo-files-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                m_path = candidate.u8string();
        }
        if (m_path.empty())
            throw std::runtime_error("cannot create a temporary folder");
    }
    CTemporaryFolder(const CTemporaryFolder &) = delete;
    CTemporaryFolder &operator=(const CTemporaryFolder &) = delete;
    ~CTemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::u8path(m_path), ignored);
    }

    // UTF-8, without a trailing separator.
    const std::string &path() const { return m_path; }
    std::string file(const std::string &name) const { return m_path + Basics::PATH_SEPARATOR + name; }
    // The same, as the framework's path strings.
    Basics::CSystemString systemPath() const { return Basics::CSystemString(m_path.c_str()); }
    Basics::CSystemString systemPath(const std::string &name) const { return file(name).c_str(); }

    void write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(native(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string &name) const { return readAll(name, std::ios::binary); }
    // A text file as a program reads text: Windows' "\r\n" line ends become "\n".
    std::string readText(const std::string &name) const { return readAll(name, std::ios::in); }
    bool exists(const std::string &name) const { return std::filesystem::exists(native(name)); }
    long countEntries() const
    {
        const std::filesystem::path folder = std::filesystem::u8path(m_path);
        return static_cast<long>(
            std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path native(const std::string &name) const { return std::filesystem::u8path(file(name)); }
    std::string readAll(const std::string &name, std::ios::openmode mode) const
    {
        std::ifstream input(native(name), mode);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }

    std::string m_path;
};
} // namespace Orvalite::Testing
