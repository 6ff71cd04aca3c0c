// One cycle of a waveform (an LFO's or a wavetable's shape), samples in
// −1 … 1 spread across the width: the zero line in the line colour, the wave
// over it in the wave colour. The user draws the wave: a press or drag sets
// the samples under the pointer (and, dragging, those between it and the last
// position) to the pointer's height, reported with event type 0. A new
// control shows one sine cycle of DEFAULT_SAMPLES samples.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CWaveCycle : public CControl
{
public:
    static constexpr long DEFAULT_SAMPLES = 128;
    static constexpr long MAXIMUM_SAMPLES = 4096;

    CWaveCycle(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               Listeners::IActionListener *actionListener = nullptr);

    // Ignored unless there are 2 … MAXIMUM_SAMPLES; values are held in −1 … 1. Redraws.
    void setSamples(const std::vector<float> &samples);
    const std::vector<float> &getSamples() const { return m_samples; }
    // Where a sample is drawn, in control coordinates.
    MathTools::CPoint samplePosition(long index) const;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CWaveCycle)

private:
    CDescriptorFields describe() const;
    // Sets the samples from the last drawn point to this one; reports it.
    void drawTo(const MathTools::CPoint &point);
    // The sample value at a pixel row, and the (fractional) sample index at a column.
    double valueAt(long y) const;
    double indexAt(long x) const;

    Basics::CAlphaColour m_waveColour{153, 116, 188, 255};
    Basics::CAlphaColour m_lineColour{128, 128, 128, 255};
    std::vector<float> m_samples;
    bool m_isDrawing = false;
    long m_lastX = 0;
    long m_lastY = 0;
};
} // namespace Orvalite::GUI::Controls
