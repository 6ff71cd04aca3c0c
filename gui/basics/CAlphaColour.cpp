#include "gui/basics/CAlphaColour.h"

#include "foundation/basics/CProgramLifetimeObjects.h"
#include "foundation/basics/CStringTokeniser.h"

#include <cstdio>

namespace Orvalite::GUI::Basics
{
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CAlphaColour, "CAlphaColour", "CColour")

const CAlphaColour CAlphaColour::TRANSPARENT_BLACK(0, 0, 0, 0);
const CAlphaColour CAlphaColour::BLACK(0, 0, 0, 255);
const CAlphaColour CAlphaColour::WHITE(255, 255, 255, 255);
const CAlphaColour CAlphaColour::RED(243, 32, 32, 255);
const CAlphaColour CAlphaColour::GREEN(102, 200, 85, 255);
const CAlphaColour CAlphaColour::BLUE(85, 86, 200, 255);
const CAlphaColour CAlphaColour::YELLOW(219, 230, 49, 255);
const CAlphaColour CAlphaColour::ORANGE(239, 149, 41, 255);
const CAlphaColour CAlphaColour::TURQUOISE(116, 184, 188, 255);
const CAlphaColour CAlphaColour::PURPLE(153, 116, 188, 255);
const CAlphaColour CAlphaColour::PINK(226, 74, 160, 255);
const CAlphaColour CAlphaColour::LIGHT_GREY(208, 208, 208, 255);
const CAlphaColour CAlphaColour::DARK_GREY(147, 147, 147, 255);

namespace
{
const long NUMBER_OF_FIELDS = 4;
// Weight of white or black in lighten and darken.
const uint32_t HALF_WEIGHT = 128;

// The predefined colours live until the program ends; the leak check is told so.
bool registerPredefinedColours()
{
    for (const CAlphaColour *colour :
         {&CAlphaColour::TRANSPARENT_BLACK, &CAlphaColour::BLACK, &CAlphaColour::WHITE, &CAlphaColour::RED,
          &CAlphaColour::GREEN, &CAlphaColour::BLUE, &CAlphaColour::YELLOW, &CAlphaColour::ORANGE,
          &CAlphaColour::TURQUOISE, &CAlphaColour::PURPLE, &CAlphaColour::PINK, &CAlphaColour::LIGHT_GREY,
          &CAlphaColour::DARK_GREY})
    {
        ::Orvalite::Basics::CProgramLifetimeObjects::add(*colour);
    }
    return true;
}

const bool s_predefinedColoursRegistered = registerPredefinedColours();
} // namespace

CAlphaColour::CAlphaColour() = default;

CAlphaColour::CAlphaColour(long red, long green, long blue, long alpha)
{
    setColour(red, green, blue, alpha);
}

CAlphaColour::CAlphaColour(const CColour &colour) : CColour(colour) {}

CAlphaColour::CAlphaColour(const CAlphaColour &other) : CColour(other), m_alpha(other.m_alpha) {}

void CAlphaColour::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "[%li,%li,%li,%li]", static_cast<long>(m_red),
                      static_cast<long>(m_green), static_cast<long>(m_blue), static_cast<long>(m_alpha));
    }
}

void CAlphaColour::setColour(long red, long green, long blue, long alpha)
{
    CColour::setColour(red, green, blue);
    m_alpha = clampChannel(alpha);
}

CAlphaColour &CAlphaColour::operator=(const CAlphaColour &other)
{
    CColour::operator=(other);
    m_alpha = other.m_alpha;
    return *this;
}

CAlphaColour &CAlphaColour::operator=(const CColour &colour)
{
    CColour::operator=(colour);
    m_alpha = 255;
    return *this;
}

bool CAlphaColour::operator==(const CAlphaColour &other) const
{
    return CColour::operator==(other) && m_alpha == other.m_alpha;
}

uint32_t CAlphaColour::toARGB() const
{
    return (m_alpha << 24) | (m_red << 16) | (m_green << 8) | m_blue;
}

void CAlphaColour::lighten()
{
    m_red = blend(m_red, 255, HALF_WEIGHT);
    m_green = blend(m_green, 255, HALF_WEIGHT);
    m_blue = blend(m_blue, 255, HALF_WEIGHT);
}

void CAlphaColour::darken()
{
    m_red = blend(m_red, 0, HALF_WEIGHT);
    m_green = blend(m_green, 0, HALF_WEIGHT);
    m_blue = blend(m_blue, 0, HALF_WEIGHT);
}

uint32_t CAlphaColour::blend(uint32_t oldValue, uint32_t newValue, uint32_t alpha)
{
    const uint32_t x = (255 - alpha) * oldValue + alpha * newValue + 128;
    return ((x >> 8) + x) >> 8;
}

CString CAlphaColour::toString(const CAlphaColour &colour)
{
    CString text;
    text.setStringWithFormat("%li,%li,%li,%li", static_cast<long>(colour.m_red), static_cast<long>(colour.m_green),
                             static_cast<long>(colour.m_blue), static_cast<long>(colour.m_alpha));
    return text;
}

CAlphaColour CAlphaColour::fromString(const CString &text)
{
    ::Orvalite::Basics::CStringTokeniser tokeniser(text, ',');
    if (tokeniser.countTokens() != NUMBER_OF_FIELDS)
    {
        return TRANSPARENT_BLACK;
    }
    long fields[NUMBER_OF_FIELDS] = {};
    CString token;
    for (long &field : fields)
    {
        if (!tokeniser.nextToken(token))
        {
            return TRANSPARENT_BLACK;
        }
        field = CString::toLong(token);
    }
    return CAlphaColour(fields[0], fields[1], fields[2], fields[3]);
}
} // namespace Orvalite::GUI::Basics
