#include "tools/zelo/CReplacedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace Zelo::Tools
{
namespace
{
constexpr unsigned int WRITE_BITS = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr size_t COPY_BYTES = 1 << 16;
// As many links in a row as Linux follows before it gives up with ELOOP.
constexpr int MOST_LINKS = 40;

// The file a chain of links ends at, existing or not, so that a link to a file
// not yet written is written through rather than replaced.
std::string followLinks(const std::string &path)
{
    std::filesystem::path current = path;
    std::error_code error;
    for (int hop = 0; hop < MOST_LINKS && std::filesystem::is_symlink(current, error); ++hop)
    {
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error)
        {
            break;
        }
        current = current.parent_path() / target;
    }
    return current.string();
}
} // namespace

CReplacedFile::CReplacedFile(const std::string &path, bool isForced) : m_path(path)
{
    if (path == "-")
    {
        m_destination = STDOUT_FILENO;
        openSpool();
        return;
    }
    const std::string linked = followLinks(path);
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(linked, error);
    m_target = error ? linked : resolved.string();
    struct stat status
    {
    };
    if (stat(m_target.c_str(), &status) != 0)
    {
        // A new file gets the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        openTemporary(m_target, 0666 & ~mask);
        return;
    }
    if (S_ISDIR(status.st_mode))
    {
        fail("is a folder");
    }
    if (S_ISREG(status.st_mode))
    {
        if ((status.st_mode & WRITE_BITS) == 0 && !isForced)
        {
            fail("the file is read-only; --force replaces it");
        }
        openTemporary(m_target, status.st_mode & 07777);
        return;
    }
    m_destination = open(m_target.c_str(), O_WRONLY | O_CLOEXEC);
    if (m_destination < 0)
    {
        fail(std::strerror(errno));
    }
    openSpool();
}

CReplacedFile::~CReplacedFile()
{
    if (m_descriptor >= 0)
    {
        close(m_descriptor);
    }
    if (m_spool >= 0)
    {
        close(m_spool);
    }
    if (m_destination > STDOUT_FILENO)
    {
        close(m_destination);
    }
    if (!m_isCommitted && !m_temporaryPath.empty())
    {
        unlink(m_temporaryPath.c_str());
    }
}

// A short name, so a destination whose name takes the folder's whole limit still has a temporary file.
void CReplacedFile::openTemporary(const std::string &target, unsigned int mode)
{
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    std::string pattern = ((folder.empty() ? std::filesystem::path(".") : folder) / ".zelo-XXXXXX").string();
    m_descriptor = m_record.create(pattern);
    if (m_descriptor < 0)
    {
        fail(std::strerror(errno));
    }
    m_temporaryPath = pattern;
    fchmod(m_descriptor, static_cast<mode_t>(mode));
}

// In the user's temporary folder ($TMPDIR), unlinked at once so nothing is left
// to remove whatever ends the program.
void CReplacedFile::openSpool()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
    {
        fail("no temporary folder: " + error.message());
    }
    std::string pattern = (folder / "zelo-XXXXXX").string();
    m_spool = m_record.create(pattern);
    if (m_spool < 0)
    {
        fail(folder.string() + ": " + std::strerror(errno));
    }
    unlink(pattern.c_str());
    m_record.forget();
    m_descriptor = dup(m_spool);
    if (m_descriptor < 0)
    {
        fail(std::strerror(errno));
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
    writeAll(m_descriptor, static_cast<const char *>(data), size);
}

void CReplacedFile::writeAll(int descriptor, const char *bytes, size_t size) const
{
    while (size > 0)
    {
        const ssize_t written = ::write(descriptor, bytes, size);
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
    if (m_spool >= 0)
    {
        copySpool();
    }
    else if (std::rename(m_temporaryPath.c_str(), m_target.c_str()) != 0)
    {
        fail(std::strerror(errno));
    }
    m_isCommitted = true;
    m_record.forget();
}

void CReplacedFile::copySpool()
{
    const int spool = m_spool;
    if (lseek(spool, 0, SEEK_SET) != 0)
    {
        fail(std::strerror(errno));
    }
    char buffer[COPY_BYTES];
    for (;;)
    {
        const ssize_t got = read(spool, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
        {
            continue;
        }
        if (got < 0)
        {
            fail(std::strerror(errno));
        }
        if (got == 0)
        {
            return;
        }
        writeAll(m_destination, buffer, static_cast<size_t>(got));
    }
}

void CReplacedFile::fail(const std::string &reason) const
{
    throw std::runtime_error("'" + m_path + "': cannot write (" + reason + ")");
}
} // namespace Zelo::Tools
