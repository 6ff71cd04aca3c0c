// A line-oriented text file opened for reading or for writing.
#pragma once

#include "foundation/basics/CSystemString.h"

#include <fstream>

namespace Orvalite::IO
{
class CTextStream : public Basics::CCountedObject
{
public:
    static constexpr long MODE_READ = 0;
    static constexpr long MODE_WRITE = 1;

    CTextStream() = default;
    CTextStream(const Basics::CSystemString &path, long mode);
    ~CTextStream() override;

    // Closes what is open, then opens `path` in `mode`; false when that failed.
    bool openStream(const Basics::CSystemString &path, long mode);
    void closeStream();
    void flushStream();
    bool isOpen() const { return m_isOpen; }

    // Text writes are flushed at once; ignored unless open for writing.
    CTextStream &operator<<(const char *text);
    CTextStream &operator<<(const Basics::CString &text);

    ORVALITE_CLASS_RECORD(CTextStream)

private:
    bool isWriting() const { return m_isOpen && m_mode == MODE_WRITE; }

    bool m_isOpen = false;
    long m_mode = MODE_READ;
    Basics::CSystemString m_path;
    std::ofstream m_output;
    std::ifstream m_input;
};
} // namespace Orvalite::IO
