// A push button with a rollover state: off, over while the pointer is on it
// (holding the root's lock, with the hand cursor when cursor change is on)
// and on while pressed, each with its image (over falls back to the off
// image) or else a rounded rectangle in that state's colours and the label.
// The value is 1 while pressed and 0 otherwise; a release on the button is
// the click, reported to the listener, and a release beside it cancels; a
// release without a press on the button is no click.
#pragma once

#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CRolloverButton : public CControl
{
public:
    enum EState : long
    {
        e_off,
        e_over,
        e_on,
    };

    CRolloverButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                    Listeners::IActionListener *actionListener = nullptr);
    ~CRolloverButton() override;

    long getState() const { return m_state; }
    bool isPressed() const { return m_pressed; }
    void setImages(Graphics::IImage *off, Graphics::IImage *over, Graphics::IImage *down);
    void setCursorChange(bool flag) { m_cursorChange = flag; }
    void setLabelText(const ::Orvalite::Basics::CString &text) { m_labelText = text; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CRolloverButton)

protected:
    // What a press, a release and the pointer leaving a pressed button mean.
    virtual void pressed() {}
    virtual void released(bool inside);
    virtual void leftWhilePressed() {}

private:
    CDescriptorFields describe() const;
    void showState(long state);
    // Hand cursor inside, arrow outside, when cursor change is on; answers whether inside.
    bool pointerInside(const Events::CMouseEvent &event) const;

    Graphics::IImage *m_downImage = nullptr;
    Graphics::IImage *m_overImage = nullptr;
    bool m_cursorChange = true;
    ::Orvalite::Basics::CString m_labelText;
    Basics::CAlphaColour m_colours[3] = {{243, 32, 32}, {239, 149, 41}, {102, 200, 85}};
    Basics::CAlphaColour m_frameColours[3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    Basics::CAlphaColour m_textColours[3] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    long m_state = e_off;
    bool m_pressed = false;
};
} // namespace Orvalite::GUI::Controls
