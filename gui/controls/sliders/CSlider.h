// A slider: a handle that moves along the longer side of the control (vertical
// when the control is not wider than tall). The handle's top (or left) edge
// sits at (1 − value) × travel, for values set from outside and dragged alike,
// so value 1 is at the top (or left) end. A press beside the handle centres
// it on the pointer, a drag keeps where the handle was taken hold of. Without
// travel (no room to move) the handle stays put and nothing is reported; the
// listener only ever hears values in 0 … 1. Hovering the handle holds the
// root's lock until the pointer leaves the handle or the window.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CSlider : public CControl
{
public:
    enum EHandleState : long
    {
        e_normal,
        e_over,
        e_down,
    };

    CSlider(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
            Listeners::IActionListener *actionListener = nullptr);
    ~CSlider() override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    // Ignored outside 0 … 1; places the handle and redraws.
    void setValue(double value) override;
    // A held handle image keeps its size; otherwise the handle is a third of the length.
    void setArea(const MathTools::CRect &area) override;
    void drawControl(Graphics::CGraphics &graphics) override;
    bool drawDisabledControl(Graphics::CGraphics &graphics) override;
    // A null normal image keeps the normal image and the geometry; other nulls clear.
    virtual void setHandleImages(Graphics::IImage *normal, Graphics::IImage *over, Graphics::IImage *down,
                                 Graphics::IImage *disabled);
    virtual void setSliderColours(const Basics::CAlphaColour &frame, const Basics::CAlphaColour &background,
                                  const Basics::CAlphaColour &handle, const Basics::CAlphaColour &handleOver,
                                  const Basics::CAlphaColour &handleDown);
    // Over (and locked) inside the handle, normal (and unlocked) outside.
    virtual void checkRollover(const MathTools::CPoint &point);

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;

    const MathTools::CRect &getHandleArea() const { return m_handleArea; }
    double getTravel() const { return m_travel; }
    bool isVertical() const { return m_isVertical; }
    bool isDragging() const { return m_isDragging; }
    long getHandleState() const { return m_handleState; }

    ORVALITE_CLASS_RECORD(CSlider)

protected:
    // The handle's size from the normal image, or from the control.
    void layoutHandle();
    // The handle's length along the axis without a handle image: a third of the control.
    virtual long defaultHandleLength() const { return controlLength() / 3; }
    long controlLength() const;

private:
    CDescriptorFields describe() const;
    // Moves the handle's top (or left) to `position`, reports the value and redraws.
    void moveHandle(long position);
    long handlePosition() const;
    long handleLength() const;
    bool hasTravel() const { return m_travel > 0.0; }

    Graphics::IImage *m_handleImage = nullptr;
    Graphics::IImage *m_handleOverImage = nullptr;
    Graphics::IImage *m_handleDownImage = nullptr;
    Graphics::IImage *m_handleDisabledImage = nullptr;
    MathTools::CRect m_handleArea;
    MathTools::CPoint m_grabOffset;
    long m_handleState = e_normal;
    bool m_isVertical = true;
    bool m_isDragging = false;
    double m_travel = 0.0;
    Basics::CAlphaColour m_handleColour{153, 116, 188, 255};
    Basics::CAlphaColour m_handleOverColour{239, 149, 41, 255};
    Basics::CAlphaColour m_handleDownColour{243, 32, 32, 255};
};
} // namespace Orvalite::GUI::Controls
