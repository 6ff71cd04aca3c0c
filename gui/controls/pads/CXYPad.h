// A pad whose handle moves in two directions (a filter's cutoff against its
// resonance): x rises to the right and is the control's value, y rises
// upwards. The handle's left edge sits at x × (width − handle width) and its
// top at (1 − y) × (height − handle height); a press beside it centres it on
// the pointer, a drag keeps where it was taken hold of, and an axis without
// room to move keeps its value. The handle is the off, over or down image
// (the off image sets its size, else HANDLE_SIZE square, and stands in for a
// missing over or down image) or that state's colour with a black outline; hovering it holds the root's lock until the
// pointer leaves it or the window. Changes are reported with event type 0.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CXYPad : public CControl
{
public:
    static constexpr long HANDLE_SIZE = 16;

    enum EHandleState : long
    {
        e_off,
        e_over,
        e_down,
    };

    CXYPad(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
           Listeners::IActionListener *actionListener = nullptr);
    ~CXYPad() override;

    // Each ignored outside 0 … 1; they place the handle and redraw.
    void setValue(double value) override;
    void setValues(double x, double y);
    double getYValue() const { return m_yValue; }
    const MathTools::CRect &getHandleArea() const { return m_handleArea; }
    long getHandleState() const { return m_handleState; }
    void setHandleImages(Graphics::IImage *off, Graphics::IImage *over, Graphics::IImage *down);

    void setArea(const MathTools::CRect &area) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CXYPad)

protected:
    // The handle's area for a pair of values.
    MathTools::CRect handleAreaFor(double x, double y) const;
    // The handle as drawControl draws it.
    void drawHandle(Graphics::CGraphics &graphics);
    const Basics::CAlphaColour &getOverColour() const { return m_colours[e_over]; }
    virtual CDescriptorFields describe() const;

private:
    // Moves the handle's top left corner to the point (held inside the pad) and reports a change.
    void moveHandle(const MathTools::CPoint &corner);
    void placeHandle();
    void setHover(bool over);

    Graphics::IImage *m_images[3] = {nullptr, nullptr, nullptr};
    Basics::CAlphaColour m_colours[3] = {{153, 116, 188}, {239, 149, 41}, {243, 32, 32}};
    double m_yValue = 0.5;
    MathTools::CRect m_handleArea;
    MathTools::CPoint m_grabOffset;
    long m_handleState = e_off;
    bool m_isDragging = false;
};
} // namespace Orvalite::GUI::Controls
