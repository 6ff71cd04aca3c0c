#include "tools/zelo/CReplacedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace Zelo::Tools
{
CReplacedFile::CReplacedFile(const std::string &path) : m_path(path)
{
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".zelo-XXXXXX")).string();
    m_descriptor = mkstemp(pattern.data());
    if (m_descriptor < 0)
    {
        fail(std::strerror(errno));
    }
    m_temporaryPath = pattern;
    // mkstemp creates the file private to us; the result should get the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(m_descriptor, 0666 & ~mask);
}

CReplacedFile::~CReplacedFile()
{
    if (m_descriptor >= 0)
    {
        close(m_descriptor);
    }
    if (!m_isCommitted && !m_temporaryPath.empty())
    {
        std::remove(m_temporaryPath.c_str());
    }
}

int CReplacedFile::takeDescriptor()
{
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    return descriptor;
}

void CReplacedFile::write(const void *data, size_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0)
    {
        const ssize_t written = ::write(m_descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
        {
            continue;
        }
        if (written <= 0)
        {
            fail(std::strerror(errno));
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
}

void CReplacedFile::commit()
{
    if (m_descriptor >= 0 && close(takeDescriptor()) != 0)
    {
        fail(std::strerror(errno));
    }
    if (std::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0)
    {
        fail(std::strerror(errno));
    }
    m_isCommitted = true;
}

void CReplacedFile::fail(const std::string &reason) const
{
    throw std::runtime_error(m_path + ": cannot write (" + reason + ")");
}
} // namespace Zelo::Tools
