// Draws the four images a scroll bar's thumb is built from when it finds them
// beside the skin: the top and end caps, the body tiled between them and the
// grip centred on it, in the skin's palette and light. They fit a vertical bar
// WIDTH pixels wide and are drawn at 100 % only.
#pragma once

#include "tools/skin/CSkinCanvas.h"

#include <memory>

namespace Zelo::Tools
{
class CScrollBarPainter
{
public:
    static constexpr int WIDTH = 16;
    static constexpr int CAP_LENGTH = 6;
    static constexpr int REPEAT_LENGTH = 4;

    std::unique_ptr<CSkinCanvas> topCap() const { return cap(true); }
    std::unique_ptr<CSkinCanvas> endCap() const { return cap(false); }
    std::unique_ptr<CSkinCanvas> repeat() const;
    std::unique_ptr<CSkinCanvas> grip() const;

private:
    std::unique_ptr<CSkinCanvas> cap(bool top) const;
    // Fills and outlines the thumb's body over the canvas, its rounded ends
    // reaching `startRounding` and `endRounding` units past the canvas's top and bottom.
    void paintBody(CSkinCanvas &canvas, double startRounding, double endRounding) const;
};
} // namespace Zelo::Tools
