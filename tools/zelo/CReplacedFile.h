// A file written under a short temporary name beside its destination and renamed
// over it only on commit(), so a failure never leaves a partial file or harms an
// earlier one; a link is followed to the file it names, which need not exist yet.
// A device, a pipe or "-" (standard output) is not a file to replace: the bytes
// are gathered in an unnamed file in $TMPDIR and copied there on commit(). Owned by the one writer;
// dropped uncommitted, it removes the temporary file.
#pragma once

#include "tools/zelo/CTemporaryFiles.h"

#include <cstddef>
#include <string>

namespace Zelo::Tools
{
class CReplacedFile
{
public:
    // Creates the temporary file, keeping the mode of an existing destination.
    // Throws naming `path` when it is a folder, or an existing read-only file
    // unless `isForced`.
    explicit CReplacedFile(const std::string &path, bool isForced = false);
    ~CReplacedFile();
    CReplacedFile(const CReplacedFile &) = delete;
    CReplacedFile &operator=(const CReplacedFile &) = delete;

    const std::string &path() const { return m_path; }
    // Hands the open descriptor to a library that closes it itself; -1 afterwards.
    int takeDescriptor();
    // Writes every byte; throws naming the destination.
    void write(const void *data, size_t size);
    // Closes the descriptor if still ours and puts the file in place.
    void commit();

private:
    void openTemporary(const std::string &target, unsigned int mode);
    void openSpool();
    void copySpool();
    void writeAll(int descriptor, const char *bytes, size_t size) const;
    [[noreturn]] void fail(const std::string &reason) const;

    std::string m_path;
    // Where a replaced file goes: the destination with its links followed.
    std::string m_target;
    std::string m_temporaryPath;
    CTemporaryFiles::CRecord m_record;
    int m_descriptor = -1;
    // Devices, pipes and standard output: the gathered bytes and where they go.
    int m_spool = -1;
    int m_destination = -1;
    bool m_isCommitted = false;
};
} // namespace Zelo::Tools
