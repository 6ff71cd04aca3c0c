#include "gui/graphics/CWindowIcon.h"

#include "gui/graphics/CPNGWriter.h"
#include "gui/graphics/ImageFactory.h"

#include <utility>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CWindowIcon, "CWindowIcon", "CCountedObject")

CWindowIcon::~CWindowIcon()
{
    destroy();
}

bool CWindowIcon::loadFromResource(long)
{
    destroy();
    return false;
}

bool CWindowIcon::extractFromFile(const CSystemString &path, long index)
{
    destroy();
    IImage *image = index == 0 ? createImage(path) : nullptr;
    if (!image)
    {
        return false;
    }
    image->referenced();
    if (image->imageHasLoaded())
    {
        m_icon = *image->getImageHandle();
    }
    image->dereference();
    return hasIcon();
}

void CWindowIcon::takeOver(CWindowIcon &other)
{
    if (&other != this)
    {
        takeOver(std::move(other.m_icon));
        other.destroy();
    }
}

void CWindowIcon::takeOver(CBitmap &&icon)
{
    destroy();
    m_icon = std::move(icon);
    icon.destroy();
}

void CWindowIcon::destroy()
{
    m_icon.destroy();
}

const CBitmap *CWindowIcon::getIcon() const
{
    return hasIcon() ? &m_icon : nullptr;
}

std::vector<unsigned long> CWindowIcon::getWindowManagerIcon() const
{
    std::vector<unsigned long> data;
    if (!hasIcon())
    {
        return data;
    }
    data.reserve(2 + static_cast<size_t>(m_icon.getWidth() * m_icon.getHeight()));
    data.push_back(static_cast<unsigned long>(m_icon.getWidth()));
    data.push_back(static_cast<unsigned long>(m_icon.getHeight()));
    const uint32_t *pixel = m_icon.getPixels();
    for (long count = m_icon.getWidth() * m_icon.getHeight(); count > 0; --count, ++pixel)
    {
        const uint32_t alpha = CBitmap::alphaOf(*pixel);
        data.push_back(CBitmap::pack(CPNGWriter::unpremultiply(CBitmap::redOf(*pixel), alpha),
                                     CPNGWriter::unpremultiply(CBitmap::greenOf(*pixel), alpha),
                                     CPNGWriter::unpremultiply(CBitmap::blueOf(*pixel), alpha), alpha));
    }
    return data;
}
} // namespace Orvalite::GUI::Graphics
