// An opaque 8-bit red, green, blue colour, with the conversions to and from the
// 32-bit COLORREF form (red in the low byte) that the drawing context uses.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::GUI::Basics
{
class CColour : public ::Orvalite::Basics::CCountedObject
{
public:
    // White.
    CColour();
    // Channels are clamped to 0 … 255.
    CColour(long red, long green, long blue);
    CColour(const CColour &other);

    // "[red,green,blue]"
    void getObjectDescription(char *buffer, long size) const override;
    // Channels are clamped to 0 … 255, so every colour fits its COLORREF.
    virtual void setColour(long red, long green, long blue);

    CColour &operator=(const CColour &other);
    bool operator==(const CColour &other) const;
    bool operator!=(const CColour &other) const { return !(*this == other); }
    // Adds channel by channel; each sum stops at 255.
    CColour &operator+=(const CColour &other);

    uint32_t getRed() const { return m_red; }
    uint32_t getGreen() const { return m_green; }
    uint32_t getBlue() const { return m_blue; }

    // 0x00BBGGRR
    uint32_t toColorRef() const;
    // Takes the three low bytes of a COLORREF.
    void fromColorRef(uint32_t colorRef);
    // A new colour on the heap that the caller owns.
    CColour *copy() const;

    static const CColour BLACK;
    static const CColour WHITE;
    static const CColour RED;
    static const CColour GREEN;
    static const CColour BLUE;
    static const CColour YELLOW;
    static const CColour ORANGE;
    static const CColour TURQUOISE;
    static const CColour PURPLE;
    static const CColour PINK;
    static const CColour LIGHT_GREY;
    static const CColour DARK_GREY;

    ORVALITE_CLASS_RECORD(CColour)

protected:
    static uint32_t clampChannel(long value);

    uint32_t m_red = 255;
    uint32_t m_green = 255;
    uint32_t m_blue = 255;
};
} // namespace Orvalite::GUI::Basics
