// Draws the editor's six skin images: the panel, the knob's film strip, the two
// button states, the about button and the about picture. Every picture shares one
// palette and one light, from the top left.
#pragma once

#include "tools/skin/CSkinCanvas.h"
#include "tools/skin/CSkinLayout.h"

#include <memory>

namespace Zelo::Tools
{
class CSkinPainter
{
public:
    // Draws at `scale` pixels per design unit (1, 1.5 or 2 for the editor's sizes).
    explicit CSkinPainter(double scale) : m_scale(scale) {}

    std::unique_ptr<CSkinCanvas> background() const;
    std::unique_ptr<CSkinCanvas> knob() const;
    // Lit is the on state ("buttonUp.png"), unlit the off state ("buttonDown.png").
    std::unique_ptr<CSkinCanvas> button(bool lit) const;
    std::unique_ptr<CSkinCanvas> aboutButton() const;
    std::unique_ptr<CSkinCanvas> splash() const;

private:
    void paintPlate(CSkinCanvas &canvas) const;
    void paintHeader(CSkinCanvas &canvas) const;
    void paintTitles(CSkinCanvas &canvas) const;
    void paintWaves(CSkinCanvas &canvas, double left, double top, double width, double height) const;
    void paintReadoutWell(CSkinCanvas &canvas, const CSkinLayout::Control &control) const;
    void paintCaption(CSkinCanvas &canvas, const CSkinLayout::Control &control) const;
    void paintKnobSeat(CSkinCanvas &canvas, double left, double top) const;
    void paintButtonSeat(CSkinCanvas &canvas, double left, double top) const;
    // One knob frame with its top-left corner at (0, top) and the pointer at `value` (0 to 1).
    void paintKnobFrame(CSkinCanvas &canvas, double top, double value) const;

    double m_scale;
};
} // namespace Zelo::Tools
