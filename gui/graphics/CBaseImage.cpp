#include "gui/graphics/CBaseImage.h"

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CBaseImage, "CBaseImage", "CCountedObject")

CBaseImage::CBaseImage(bool hasAlpha) : m_hasAlpha(hasAlpha), m_filename(""), m_lastErrorMessage("") {}

CBaseImage::~CBaseImage()
{
    unloadImage();
}

void CBaseImage::referenced()
{
    ++m_referenceCount;
}

void CBaseImage::dereference()
{
    if (--m_referenceCount < 1)
    {
        delete this;
    }
}

long CBaseImage::getReferenceCount() const
{
    return m_referenceCount;
}

void CBaseImage::getObjectDescription(char *buffer, long size) const
{
    CString text("No Image loaded");
    if (m_loaded)
    {
        text.setStringWithFormat("File loaded is = %s", m_filename.getString());
    }
    text.getString(buffer, size);
}

bool CBaseImage::loadFromFile(const CSystemString &)
{
    return false;
}

void CBaseImage::unloadImage()
{
    m_filename = "";
    setImageSize(0, 0);
    m_bitmap.destroy();
    m_loaded = false;
}

const CBitmap *CBaseImage::getImageHandle() const
{
    return m_loaded ? &m_bitmap : nullptr;
}

bool CBaseImage::fail(const char *message)
{
    const CSystemString filename(m_filename);
    unloadImage();
    m_filename = filename;
    m_lastErrorMessage = message;
    return false;
}

bool CBaseImage::finishLoad()
{
    setImageSize(m_bitmap.getWidth(), m_bitmap.getHeight());
    m_loaded = true;
    return true;
}

void CBaseImage::setImageSize(long width, long height)
{
    m_size.setDimension(width, height);
    m_area.setRect(0, 0, width, height);
}
} // namespace Orvalite::GUI::Graphics
