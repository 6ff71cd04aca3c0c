#include "gui/fonts/CFont.h"

#include "foundation/io/CXMLNode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace Orvalite::GUI::Fonts
{
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CFont, "CFont", "CCountedObject")

CFont *CFont::s_defaultFont = nullptr;
long CFont::s_defaultFontHolders = 0;

namespace
{
const int32_t NORMAL_WEIGHT = 400;
const int32_t BOLD_WEIGHT = 700;
const char *const NAME_ATTRIBUTE = "font_name";
const char *const SIZE_ATTRIBUTE = "font_size";
const char *const ITALIC_ATTRIBUTE = "italic";
const char *const BOLD_ATTRIBUTE = "bold";
const char *const DEFAULT_FACE = "Arial";
} // namespace

CFont::CFont() = default;

CFont::CFont(const CString &name, long size, bool italic, bool bold)
{
    setFont(name, size, italic, false, false, bold);
}

CFont::CFont(const CFont &other) : CCountedObject(other)
{
    *this = other;
}

CFont::~CFont() = default;

CFont &CFont::operator=(const CFont &other)
{
    if (this != &other)
    {
        m_name = other.m_name;
        m_size = other.m_size;
        m_bold = other.m_bold;
        m_italic = other.m_italic;
        m_logicalFont = other.m_logicalFont;
        m_handle = other.m_handle ? IFontHandle::create(m_logicalFont) : nullptr;
    }
    return *this;
}

bool CFont::serialiseToXML(IO::CXMLNode *node) const
{
    if (!node)
    {
        return false;
    }
    node->addAttribute(new IO::CXMLAttribute(NAME_ATTRIBUTE, m_name));
    node->addAttribute(new IO::CXMLAttribute(SIZE_ATTRIBUTE, static_cast<long>(m_size)));
    node->addAttribute(new IO::CXMLAttribute(ITALIC_ATTRIBUTE, isItalic()));
    node->addAttribute(new IO::CXMLAttribute(BOLD_ATTRIBUTE, isBold()));
    return true;
}

bool CFont::readFromXML(const IO::CXMLNode *node)
{
    if (!node)
    {
        return false;
    }
    if (const IO::CXMLAttribute *name = node->getAttribute(NAME_ATTRIBUTE))
    {
        m_name = name->getValue();
    }
    if (const IO::CXMLAttribute *size = node->getAttribute(SIZE_ATTRIBUTE))
    {
        m_size = static_cast<int32_t>(std::clamp(size->getValueAsLong(), 0L, MAXIMUM_SIZE));
    }
    if (const IO::CXMLAttribute *italic = node->getAttribute(ITALIC_ATTRIBUTE))
    {
        m_italic = italic->getValueAsBool() ? 1 : 0;
    }
    if (const IO::CXMLAttribute *bold = node->getAttribute(BOLD_ATTRIBUTE))
    {
        m_bold = bold->getValueAsBool() ? 1 : 0;
    }
    rebuild();
    return true;
}

void CFont::setFont(const CString &name, long size, bool italic, bool underline, bool strikeOut, bool bold)
{
    m_name = name;
    m_size = static_cast<int32_t>(std::clamp(size, 0L, MAXIMUM_SIZE));
    m_italic = italic ? 1 : 0;
    m_bold = bold ? 1 : 0;
    m_logicalFont.underline = underline ? 1 : 0;
    m_logicalFont.strikeOut = strikeOut ? 1 : 0;
    rebuild();
}

void CFont::setFontSize(long size)
{
    m_size = static_cast<int32_t>(std::clamp(size, 0L, MAXIMUM_SIZE));
    rebuild();
}

void CFont::setFontName(const CString &name)
{
    m_name = name;
    rebuild();
}

void CFont::setFontName(const CFont &font)
{
    setFontName(font.getFontName());
}

long CFont::getTextExtent(const CString &text, const Graphics::CDeviceContext *deviceContext) const
{
    double width = 0.0;
    if (!deviceContext || !m_handle || !m_handle->measureText(text.getString(), width))
    {
        return 0;
    }
    return static_cast<long>(width);
}

namespace
{
// Editors hold the default font as they are made and destroyed, which hosts may do on several threads.
std::mutex s_defaultFontLock;
} // namespace

void CFont::createDefaultFont()
{
    const std::lock_guard<std::mutex> guard(s_defaultFontLock);
    if (s_defaultFontHolders++ == 0)
    {
        s_defaultFont = new CFont(DEFAULT_FACE, DEFAULT_SIZE, false, false);
        s_defaultFont->referenced();
    }
}

// Controls that took a reference keep the font object alive past its last holder.
void CFont::releaseDefaultFont()
{
    const std::lock_guard<std::mutex> guard(s_defaultFontLock);
    if (s_defaultFontHolders == 0 || --s_defaultFontHolders > 0)
    {
        return;
    }
    CFont *font = s_defaultFont;
    s_defaultFont = nullptr;
    font->dereference();
}

void CFont::rebuild()
{
    m_logicalFont.height = -m_size;
    m_logicalFont.weight = m_bold ? BOLD_WEIGHT : NORMAL_WEIGHT;
    m_logicalFont.italic = m_italic;
    std::memset(m_logicalFont.faceName, 0, sizeof(m_logicalFont.faceName));
    std::strncpy(m_logicalFont.faceName, m_name.getString(), SLogicalFont::FACE_NAME_SIZE - 1);
    m_handle = IFontHandle::create(m_logicalFont);
}
} // namespace Orvalite::GUI::Fonts
