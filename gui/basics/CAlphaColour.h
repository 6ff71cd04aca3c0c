// A colour with 8-bit alpha (255 = opaque): pen, brush and text colours, the
// exact divide-by-255 blend every 8-bit mix of the toolkit uses, and the
// "red,green,blue,alpha" text form of control descriptors.
#pragma once

#include "foundation/basics/CString.h"
#include "gui/basics/CColour.h"

namespace Orvalite::GUI::Basics
{
class CAlphaColour : public CColour
{
public:
    // Opaque white.
    CAlphaColour();
    // Channels are clamped to 0 … 255.
    CAlphaColour(long red, long green, long blue, long alpha = 255);
    // Opaque.
    explicit CAlphaColour(const CColour &colour);
    CAlphaColour(const CAlphaColour &other);

    // "[red,green,blue,alpha]"
    void getObjectDescription(char *buffer, long size) const override;
    using CColour::setColour;
    virtual void setColour(long red, long green, long blue, long alpha);

    CAlphaColour &operator=(const CAlphaColour &other);
    // Takes the three channels and makes the colour opaque.
    CAlphaColour &operator=(const CColour &colour);
    bool operator==(const CAlphaColour &other) const;
    bool operator!=(const CAlphaColour &other) const { return !(*this == other); }

    uint32_t getAlpha() const { return m_alpha; }
    // Straight (not premultiplied) 0xAARRGGBB.
    uint32_t toARGB() const;

    // Moves red, green and blue half way to white (lighten) or black (darken); alpha stays.
    void lighten();
    void darken();

    // `newValue` over `oldValue` with weight `alpha` (0 … 255), rounded exactly:
    // x = (255 − alpha) × old + alpha × new + 128, result ((x >> 8) + x) >> 8.
    static uint32_t blend(uint32_t oldValue, uint32_t newValue, uint32_t alpha);

    // "red,green,blue,alpha"
    static ::Orvalite::Basics::CString toString(const CAlphaColour &colour);
    // Exactly four comma-separated decimal fields; anything else gives (0, 0, 0, 0).
    static CAlphaColour fromString(const ::Orvalite::Basics::CString &text);

    static const CAlphaColour TRANSPARENT_BLACK;
    static const CAlphaColour BLACK;
    static const CAlphaColour WHITE;
    static const CAlphaColour RED;
    static const CAlphaColour GREEN;
    static const CAlphaColour BLUE;
    static const CAlphaColour YELLOW;
    static const CAlphaColour ORANGE;
    static const CAlphaColour TURQUOISE;
    static const CAlphaColour PURPLE;
    static const CAlphaColour PINK;
    static const CAlphaColour LIGHT_GREY;
    static const CAlphaColour DARK_GREY;

    ORVALITE_CLASS_RECORD(CAlphaColour)

private:
    uint32_t m_alpha = 255;
};
} // namespace Orvalite::GUI::Basics
