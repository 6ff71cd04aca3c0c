// A file written under a temporary name beside its destination and renamed over
// it only on commit(), so a failure never leaves a partial file or harms an earlier
// one. Owned by the one writer; dropped uncommitted, it removes the temporary file.
#pragma once

#include <cstddef>
#include <string>

namespace Zelo::Tools
{
class CReplacedFile
{
public:
    // Creates the temporary file with the usual permissions; throws naming `path`.
    explicit CReplacedFile(const std::string &path);
    ~CReplacedFile();
    CReplacedFile(const CReplacedFile &) = delete;
    CReplacedFile &operator=(const CReplacedFile &) = delete;

    const std::string &path() const { return m_path; }
    // Hands the open descriptor to a library that closes it itself; -1 afterwards.
    int takeDescriptor();
    // Writes every byte; throws naming the destination.
    void write(const void *data, size_t size);
    // Closes the descriptor if still ours and renames the file into place.
    void commit();

private:
    [[noreturn]] void fail(const std::string &reason) const;

    std::string m_path;
    std::string m_temporaryPath;
    int m_descriptor = -1;
    bool m_isCommitted = false;
};
} // namespace Zelo::Tools
