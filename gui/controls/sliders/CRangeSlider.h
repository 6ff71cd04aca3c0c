// A slider with two handles bounding a range (a key or velocity zone, a
// modulation depth): the minimum handle below or left of the maximum handle,
// horizontal when the control is wider than tall (values rising to the right),
// vertical otherwise (rising upwards). The handles cannot cross: each stops at
// the other's value. A press on a handle drags it; a press beside the handles
// moves the maximum handle there when "Jump To Max" is set, else the nearer
// free handle; a locked handle never moves under the mouse. Each change is
// reported with event type 0 (minimum) or 1 (maximum) and that value as the
// control's value. Hovering a handle holds the root's lock until the pointer
// leaves it or the window. Without room for the handles nothing moves.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CRangeSlider : public CControl
{
public:
    // Each handle's thickness along the track, in pixels.
    static constexpr long HANDLE_SIZE = 10;

    enum EHandle : long
    {
        e_noHandle = -1,
        e_minimumHandle = 0,
        e_maximumHandle = 1,
    };

    CRangeSlider(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                 Listeners::IActionListener *actionListener = nullptr);

    // Ignored unless 0 <= minimum <= maximum <= 1; redraws.
    void setRange(double minimum, double maximum);
    double getMinimum() const { return m_minimum; }
    double getMaximum() const { return m_maximum; }
    void setLocks(bool lockMinimum, bool lockMaximum);
    void setJumpToMax(bool jump) { m_jumpToMax = jump; }
    bool isVertical() const { return getDimension().getWidth() <= getDimension().getHeight(); }
    // The handle's area in control coordinates.
    MathTools::CRect getHandleArea(long handle) const;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CRangeSlider)

protected:
    // Pixels the handles can move; 0 or less when there is no room.
    long getTrack() const;
    // Where, along the track's length and from its low end, the range band at
    // `value` lies (a value between the handles).
    long bandPosition(double value) const;
    // The area of a band from one position to another along the track.
    MathTools::CRect acrossTrack(long from, long to) const;
    virtual CDescriptorFields describe() const;

private:
    long handleAt(const MathTools::CPoint &point) const;
    // The pointer's distance from the track's low end.
    long along(const MathTools::CPoint &point) const;
    // Moves the dragged handle so that its low edge is at `position`; reports a change.
    void dragTo(long position);
    void setHover(long handle);

    double m_minimum = 0.25;
    double m_maximum = 0.75;
    bool m_lockMinimum = false;
    bool m_lockMaximum = false;
    bool m_jumpToMax = false;
    Basics::CAlphaColour m_handleColour{153, 116, 188, 255};
    Basics::CAlphaColour m_handleOverColour{239, 149, 41, 255};
    Basics::CAlphaColour m_handleDownColour{243, 32, 32, 255};
    long m_hoverHandle = e_noHandle;
    long m_dragHandle = e_noHandle;
    long m_grab = 0;
};
} // namespace Orvalite::GUI::Controls
