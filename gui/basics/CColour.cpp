#include "gui/basics/CColour.h"

#include "foundation/basics/CProgramLifetimeObjects.h"

#include <algorithm>
#include <cstdio>

namespace Orvalite::GUI::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CColour, "CColour", "CCountedObject")

const CColour CColour::BLACK(0, 0, 0);
const CColour CColour::WHITE(255, 255, 255);
const CColour CColour::RED(243, 32, 32);
const CColour CColour::GREEN(102, 200, 85);
const CColour CColour::BLUE(85, 86, 200);
const CColour CColour::YELLOW(219, 230, 49);
const CColour CColour::ORANGE(239, 149, 41);
const CColour CColour::TURQUOISE(116, 184, 188);
const CColour CColour::PURPLE(153, 116, 188);
const CColour CColour::PINK(226, 74, 160);
const CColour CColour::LIGHT_GREY(208, 208, 208);
const CColour CColour::DARK_GREY(147, 147, 147);

namespace
{
// The predefined colours live until the program ends; the leak check is told so.
bool registerPredefinedColours()
{
    for (const CColour *colour : {&CColour::BLACK, &CColour::WHITE, &CColour::RED, &CColour::GREEN, &CColour::BLUE,
                                  &CColour::YELLOW, &CColour::ORANGE, &CColour::TURQUOISE, &CColour::PURPLE,
                                  &CColour::PINK, &CColour::LIGHT_GREY, &CColour::DARK_GREY})
    {
        ::Orvalite::Basics::CProgramLifetimeObjects::add(*colour);
    }
    return true;
}

const bool s_predefinedColoursRegistered = registerPredefinedColours();
} // namespace

CColour::CColour() = default;

CColour::CColour(long red, long green, long blue)
{
    setColour(red, green, blue);
}

CColour::CColour(const CColour &other)
    : CCountedObject(other), m_red(other.m_red), m_green(other.m_green), m_blue(other.m_blue)
{
}

void CColour::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "[%li,%li,%li]", static_cast<long>(m_red),
                      static_cast<long>(m_green), static_cast<long>(m_blue));
    }
}

void CColour::setColour(long red, long green, long blue)
{
    m_red = clampChannel(red);
    m_green = clampChannel(green);
    m_blue = clampChannel(blue);
}

CColour &CColour::operator=(const CColour &other)
{
    m_red = other.m_red;
    m_green = other.m_green;
    m_blue = other.m_blue;
    return *this;
}

bool CColour::operator==(const CColour &other) const
{
    return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue;
}

CColour &CColour::operator+=(const CColour &other)
{
    m_red = std::min<uint32_t>(m_red + other.m_red, 255);
    m_green = std::min<uint32_t>(m_green + other.m_green, 255);
    m_blue = std::min<uint32_t>(m_blue + other.m_blue, 255);
    return *this;
}

uint32_t CColour::toColorRef() const
{
    return m_red | (m_green << 8) | (m_blue << 16);
}

void CColour::fromColorRef(uint32_t colorRef)
{
    m_red = colorRef & 0xFF;
    m_green = (colorRef >> 8) & 0xFF;
    m_blue = (colorRef >> 16) & 0xFF;
}

CColour *CColour::copy() const
{
    return new CColour(*this);
}

uint32_t CColour::clampChannel(long value)
{
    return static_cast<uint32_t>(std::clamp<long>(value, 0, 255));
}
} // namespace Orvalite::GUI::Basics
