#include "gui/graphics/CTextLayout.h"

#include <cmath>

namespace Orvalite::GUI::Graphics
{
namespace
{
struct SAlignmentEntry
{
    CTextLayout::EAlignment horizontal;
    CTextLayout::EAlignment vertical;
    uint32_t drawTextFormat;
};

// Alignment values 0 … 10; 9 and 10 repeat 3 and 4.
const SAlignmentEntry ALIGNMENTS[] = {
    {CTextLayout::e_near, CTextLayout::e_near, 0},      {CTextLayout::e_centre, CTextLayout::e_near, 1},
    {CTextLayout::e_far, CTextLayout::e_near, 2},       {CTextLayout::e_near, CTextLayout::e_centre, 36},
    {CTextLayout::e_centre, CTextLayout::e_centre, 37}, {CTextLayout::e_far, CTextLayout::e_centre, 38},
    {CTextLayout::e_near, CTextLayout::e_far, 40},      {CTextLayout::e_centre, CTextLayout::e_far, 41},
    {CTextLayout::e_far, CTextLayout::e_far, 42},       {CTextLayout::e_near, CTextLayout::e_centre, 36},
    {CTextLayout::e_centre, CTextLayout::e_centre, 37},
};
const long NUMBER_OF_ALIGNMENTS = sizeof(ALIGNMENTS) / sizeof(ALIGNMENTS[0]);
} // namespace

CTextLayout::CTextLayout(EAlignment horizontal, EAlignment vertical, bool singleLine, bool drawTextRules)
    : m_horizontal(horizontal), m_vertical(vertical), m_singleLine(singleLine), m_drawTextRules(drawTextRules)
{
}

CTextLayout CTextLayout::forAlignment(long alignment)
{
    if (alignment < 0 || alignment >= NUMBER_OF_ALIGNMENTS)
    {
        return CTextLayout(e_near, e_near, false, false);
    }
    const SAlignmentEntry &entry = ALIGNMENTS[alignment];
    return CTextLayout(entry.horizontal, entry.vertical, false, false);
}

uint32_t CTextLayout::drawTextFormatFor(long alignment)
{
    return alignment < 0 || alignment >= NUMBER_OF_ALIGNMENTS ? 0 : ALIGNMENTS[alignment].drawTextFormat;
}

CTextLayout CTextLayout::forDrawTextFormat(uint32_t format)
{
    const EAlignment horizontal = (format & FORMAT_RIGHT) ? e_far : (format & FORMAT_CENTRE) ? e_centre : e_near;
    const bool singleLine = (format & FORMAT_SINGLE_LINE) != 0;
    EAlignment vertical = e_near;
    if (singleLine)
    {
        vertical = (format & FORMAT_BOTTOM) ? e_far : (format & FORMAT_VERTICAL_CENTRE) ? e_centre : e_near;
    }
    return CTextLayout(horizontal, vertical, singleLine, true);
}

std::vector<CTextLayout::SLine> CTextLayout::layOut(const std::string &text, const SPixelBox &area,
                                                    const Fonts::IFontHandle &font) const
{
    const Fonts::IFontHandle::SMetrics metrics = font.getMetrics();
    // DrawTextA steps by the character cell (ascent + descent) in whole pixels.
    const double lineHeight =
        m_drawTextRules ? std::round(metrics.ascent) + std::round(metrics.descent) : metrics.lineSpacing;
    const double ascent = m_drawTextRules ? std::round(metrics.ascent) : metrics.ascent;
    const std::vector<std::string> texts = splitLines(m_drawTextRules ? withoutPrefixes(text) : text);
    const double blockHeight = lineHeight * static_cast<double>(texts.size());
    const double top =
        place(m_vertical, static_cast<double>(area.top), static_cast<double>(area.bottom - area.top), blockHeight);
    std::vector<SLine> lines;
    for (size_t index = 0; index < texts.size(); ++index)
    {
        double width = 0.0;
        font.measureText(texts[index], width);
        if (m_drawTextRules)
        {
            width = std::round(width);
        }
        SLine line;
        line.text = texts[index];
        line.x =
            place(m_horizontal, static_cast<double>(area.left), static_cast<double>(area.right - area.left), width);
        line.baseline = top + lineHeight * static_cast<double>(index) + ascent;
        lines.push_back(line);
    }
    return lines;
}

std::string CTextLayout::withoutPrefixes(const std::string &text)
{
    std::string result;
    for (size_t index = 0; index < text.size(); ++index)
    {
        if (text[index] != '&')
        {
            result += text[index];
        }
        else if (index + 1 < text.size() && text[index + 1] == '&')
        {
            result += '&';
            ++index;
        }
    }
    return result;
}

std::vector<std::string> CTextLayout::splitLines(const std::string &text) const
{
    std::vector<std::string> lines(1);
    for (size_t index = 0; index < text.size(); ++index)
    {
        const char character = text[index];
        if (character != '\r' && character != '\n')
        {
            lines.back() += character;
        }
        else if (!m_singleLine)
        {
            // "\r\n" is one break.
            if (character == '\r' && index + 1 < text.size() && text[index + 1] == '\n')
            {
                ++index;
            }
            lines.emplace_back();
        }
    }
    return lines;
}

double CTextLayout::place(EAlignment alignment, double start, double space, double extent) const
{
    double offset = 0.0;
    if (alignment == e_centre)
    {
        offset = (space - extent) / 2.0;
    }
    else if (alignment == e_far)
    {
        offset = space - extent;
    }
    return start + (m_drawTextRules ? std::floor(offset) : offset);
}
} // namespace Orvalite::GUI::Graphics
