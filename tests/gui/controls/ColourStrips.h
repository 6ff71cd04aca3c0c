// Film strips for the control tests: frames stacked, each filled in a colour
// of its own (red, blue, green, yellow), so what is drawn tells the frame.
#pragma once

#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"

#include <gtest/gtest.h>

namespace Orvalite::Testing
{
inline GUI::Basics::CAlphaColour frameColour(long frame)
{
    // Colours are counted framework objects, so the table holds their parts.
    static const long parts[][3] = {{255, 0, 0}, {0, 0, 255}, {0, 160, 0}, {200, 200, 0}};
    return GUI::Basics::CAlphaColour(parts[frame][0], parts[frame][1], parts[frame][2]);
}

// Frames of `width` × `height` stacked, each in its own colour from `first`
// on; the caller holds one reference.
inline GUI::Graphics::CRGBAImage *makeStrip(long width, long height, long frames, long first = 0)
{
    auto *strip = new GUI::Graphics::CRGBAImage();
    strip->referenced();
    EXPECT_TRUE(strip->initialise(width, height * frames));
    for (long frame = 0; frame < frames; ++frame)
    {
        strip->getGraphics()->getBrush()->setColour(frameColour(first + frame));
        strip->getGraphics()->fillRectangle(MathTools::CRect(0, frame * height, width, height));
    }
    EXPECT_TRUE(strip->uninitialise());
    return strip;
}
} // namespace Orvalite::Testing
