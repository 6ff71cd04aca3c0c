// A line-oriented text file opened for reading or for writing. Used by the
// trace log, the reports and the XML reader and writer; owned by its user.
//
// Line reading never overflows and always reaches the end of the input,
// whatever the file holds: a line longer than MAXIMUM_LINE_LENGTH bytes is
// delivered in pieces of at most that many bytes, one piece per read, in
// order (no byte is lost; the line's end comes with its last piece). A NUL
// byte inside a line ends the text delivered for that line, the rest of the
// line is consumed with it. The end of the stream is noticed as soon as the
// last line has been read, so a final line end adds no empty line.
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
    // Longest line (or piece of a longer line) one read delivers, in bytes.
    static constexpr long MAXIMUM_LINE_LENGTH = 1023;

    CTextStream() = default;
    CTextStream(const Basics::CSystemString &path, long mode);
    ~CTextStream() override;

    // Closes what is open, then opens `path` in `mode`; false when that failed.
    bool openStream(const Basics::CSystemString &path, long mode);
    void closeStream();
    void flushStream();
    bool isOpen() const { return m_isOpen; }

    // True when not open, at the end of the input, never while writing.
    bool isEndOfStream() const;

    // Writes are ignored unless open for writing; text writes are flushed at once.
    CTextStream &operator<<(const char *text);
    CTextStream &operator<<(const Basics::CString &text);
    // The object's one-line description.
    CTextStream &operator<<(const Basics::ICountedObject &object);
    // "true" or "false".
    CTextStream &operator<<(bool value);
    CTextStream &operator<<(long value);
    CTextStream &operator<<(int value);
    // Fixed notation with 20 decimals.
    CTextStream &operator<<(double value);
    CTextStream &operator<<(float value);

    // Each read takes the next whole line (without its line feed and one
    // carriage return) and delivers it; ignored unless open for reading.
    // At the end of the stream a read delivers nothing and leaves the target
    // unchanged. Numbers convert like the runtime's ato* functions, except
    // that integers out of range clamp to the type's limits and a value too
    // large for a float becomes an infinity.
    // Into a caller buffer of `size` bytes, terminator included; the line is
    // consumed even when the buffer is unusable (null, or `size` < 1).
    void readLine(char *buffer, long size);
    CTextStream &operator>>(Basics::CString &text);
    CTextStream &operator>>(int &value);
    CTextStream &operator>>(long &value);
    CTextStream &operator>>(double &value);
    CTextStream &operator>>(float &value);
    // True exactly when the line is "true".
    CTextStream &operator>>(bool &value);

    ORVALITE_CLASS_RECORD(CTextStream)

private:
    bool isWriting() const { return m_isOpen && m_mode == MODE_WRITE; }
    bool isReading() const { return m_isOpen && m_mode == MODE_READ; }
    // Reads the next line or piece into m_lineBuffer; false at the end of the stream.
    bool readNextLine();
    // Marks the end of the input as soon as no byte is left.
    void noticeEndOfInput();
    template <class TValue> CTextStream &writeValue(const TValue &value);

    bool m_isOpen = false;
    long m_mode = MODE_READ;
    Basics::CSystemString m_path;
    std::ofstream m_output;
    std::ifstream m_input;
    char m_lineBuffer[MAXIMUM_LINE_LENGTH + 1] = "Empty string";
    // A carriage return read to look past a full piece; it opens the next piece.
    bool m_hasCarriedCarriageReturn = false;
};
} // namespace Orvalite::IO
