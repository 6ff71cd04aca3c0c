// Compares a picture of the editor's panel with its golden picture. The skin
// and the raster code are the same on every platform, the text is not (cairo
// and fontconfig on Linux, GDI+ on Windows): differences inside the read-outs
// and the program's name are counted apart from those elsewhere.
#pragma once

#include "editor/CEditorScale.h"
#include "editor/VeltrixEditorLayout.h"
#include "gui/graphics/CBitmap.h"

#include <algorithm>
#include <cstdlib>

namespace Zelo::Testing
{
struct SPanelDifference
{
    // The largest difference of one channel outside the read-outs, 0 … 255 (−1 for pictures of unequal sizes).
    long largestOutsideText = -1;
    // The share of the read-outs' pixels with a channel more than TEXT_TOLERANCE apart.
    double textShareDiffering = 1.0;
};

// The channel difference below which a text pixel counts as the same (anti-aliasing and hinting).
constexpr long TEXT_TOLERANCE = 24;

inline bool isInReadout(long x, long y, const Orvalite::Veltrix::CEditorScale &scale)
{
    // The program's name in the header is text as the read-outs are.
    const Orvalite::MathTools::CRect name = scale.toPixels(
        Orvalite::MathTools::CRect(Orvalite::Veltrix::PROGRAM_NAME_LEFT, Orvalite::Veltrix::PROGRAM_NAME_TOP,
                                   Orvalite::Veltrix::PROGRAM_NAME_WIDTH, Orvalite::Veltrix::PROGRAM_NAME_HEIGHT));
    if (x >= name.getLeft() && x < name.getRight() && y >= name.getTop() && y < name.getBottom())
    {
        return true;
    }
    for (const auto &control : Orvalite::Veltrix::EDITOR_CONTROLS)
    {
        const Orvalite::MathTools::CRect area = scale.toPixels(
            Orvalite::MathTools::CRect(control.readoutLeft, control.readoutTop, Orvalite::Veltrix::READOUT_WIDTH,
                                       Orvalite::Veltrix::READOUT_HEIGHT));
        if (x >= area.getLeft() && x < area.getRight() && y >= area.getTop() && y < area.getBottom())
        {
            return true;
        }
    }
    return false;
}

inline long largestChannelDifference(uint32_t one, uint32_t other)
{
    long largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        largest = std::max(
            largest, std::labs(static_cast<long>((one >> shift) & 0xFF) - static_cast<long>((other >> shift) & 0xFF)));
    }
    return largest;
}

inline SPanelDifference comparePanels(const Orvalite::GUI::Graphics::CBitmap &drawn,
                                      const Orvalite::GUI::Graphics::CBitmap &golden,
                                      const Orvalite::Veltrix::CEditorScale &scale = Orvalite::Veltrix::CEditorScale())
{
    SPanelDifference difference;
    if (drawn.getWidth() != golden.getWidth() || drawn.getHeight() != golden.getHeight())
    {
        return difference;
    }
    difference.largestOutsideText = 0;
    long textPixels = 0;
    long textDiffering = 0;
    for (long y = 0; y < drawn.getHeight(); ++y)
    {
        for (long x = 0; x < drawn.getWidth(); ++x)
        {
            const long channel = largestChannelDifference(drawn.getPixel(x, y), golden.getPixel(x, y));
            if (isInReadout(x, y, scale))
            {
                ++textPixels;
                textDiffering += channel > TEXT_TOLERANCE ? 1 : 0;
            }
            else
            {
                difference.largestOutsideText = std::max(difference.largestOutsideText, channel);
            }
        }
    }
    difference.textShareDiffering = textPixels ? static_cast<double>(textDiffering) / textPixels : 0.0;
    return difference;
}
} // namespace Zelo::Testing
