// Where the lines of a text go in an area: horizontal and vertical alignment,
// line breaks and, for the plain path, DrawTextA's rules (format flags, '&'
// prefixes, whole-pixel positions, line height of ascent plus descent).
#pragma once

#include "gui/fonts/IFontHandle.h"
#include "gui/graphics/SPixelBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvalite::GUI::Graphics
{
class CTextLayout
{
public:
    enum EAlignment
    {
        e_near = 0,
        e_centre = 1,
        e_far = 2,
    };

    // DrawTextA format flags.
    static constexpr uint32_t FORMAT_CENTRE = 0x1;
    static constexpr uint32_t FORMAT_RIGHT = 0x2;
    static constexpr uint32_t FORMAT_VERTICAL_CENTRE = 0x4;
    static constexpr uint32_t FORMAT_BOTTOM = 0x8;
    static constexpr uint32_t FORMAT_SINGLE_LINE = 0x20;

    struct SLine
    {
        std::string text;
        double x = 0.0;
        double baseline = 0.0;
    };

    // The anti-aliased path's placement for the toolkit's alignment values 0 … 10;
    // other values align near / near.
    static CTextLayout forAlignment(long alignment);
    // The DrawTextA format the plain path uses for an alignment value (0 for unknown values).
    static uint32_t drawTextFormatFor(long alignment);
    // DrawTextA's placement for a format: vertical alignment only on a single line.
    static CTextLayout forDrawTextFormat(uint32_t format);

    EAlignment getHorizontal() const { return m_horizontal; }
    EAlignment getVertical() const { return m_vertical; }
    bool isSingleLine() const { return m_singleLine; }

    std::vector<SLine> layOut(const std::string &text, const SPixelBox &area, const Fonts::IFontHandle &font) const;

    // DrawTextA's prefix rule: "&&" shows one '&', a lone '&' is dropped.
    static std::string withoutPrefixes(const std::string &text);

private:
    CTextLayout(EAlignment horizontal, EAlignment vertical, bool singleLine, bool drawTextRules);

    std::vector<std::string> splitLines(const std::string &text) const;
    double place(EAlignment alignment, double start, double space, double extent) const;

    EAlignment m_horizontal;
    EAlignment m_vertical;
    bool m_singleLine;
    bool m_drawTextRules;
};
} // namespace Orvalite::GUI::Graphics
