#include "foundation/io/CTextStream.h"

namespace Orvalite::IO
{
ORVALITE_DEFINE_CLASS_RECORD(CTextStream, "CTextStream", "CCountedObject")

CTextStream::CTextStream(const Basics::CSystemString &path, long mode)
{
    openStream(path, mode);
}

CTextStream::~CTextStream()
{
    closeStream();
}

bool CTextStream::openStream(const Basics::CSystemString &path, long mode)
{
    closeStream();
    m_path = path;
    m_mode = mode;
    if (mode == MODE_WRITE)
    {
        m_output.open(path.getString(), std::ios::out | std::ios::trunc);
        m_isOpen = m_output.is_open();
    }
    else if (mode == MODE_READ)
    {
        m_input.open(path.getString(), std::ios::in);
        m_isOpen = m_input.is_open();
    }
    return m_isOpen;
}

void CTextStream::closeStream()
{
    if (isWriting())
    {
        m_output.flush();
    }
    m_output.close();
    m_input.close();
    m_output.clear();
    m_input.clear();
    m_isOpen = false;
}

void CTextStream::flushStream()
{
    if (isWriting())
    {
        m_output.flush();
    }
}

CTextStream &CTextStream::operator<<(const char *text)
{
    if (isWriting() && text)
    {
        m_output << text;
        m_output.flush();
    }
    return *this;
}

CTextStream &CTextStream::operator<<(const Basics::CString &text)
{
    return *this << text.getString();
}
} // namespace Orvalite::IO
