// What the latching and momentary buttons share: the on/off state, the down
// image, the label and its colours, the hover lock and the drawing.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Controls
{
class CButton : public CControl
{
public:
    CButton(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
            Listeners::IActionListener *actionListener);
    ~CButton() override;

    bool getState() const { return m_state; }
    void setDownImage(Graphics::IImage *image);
    void setCursorChange(bool flag) { m_cursorChange = flag; }
    void setLabelText(const ::Orvalite::Basics::CString &text) { m_labelText = text; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    // Leaving the window while not pressed gives up the hover lock.
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;

protected:
    void setState(bool on) { m_state = on; }
    bool isPressed() const { return m_pressed; }
    void setPressed(bool pressed) { m_pressed = pressed; }
    bool hasCursorChange() const { return m_cursorChange; }
    // With cursor change: hand cursor and lock inside (edges included), arrow and
    // unlock outside; answers whether the pointer is inside.
    bool trackPointer(const Events::CMouseEvent &event, bool keepLock);
    // Whether the label is also drawn over the images, and drawn at all.
    virtual bool drawsLabelOverImages() const { return false; }
    virtual bool drawsLabel() const { return true; }

private:
    void drawLabel(Graphics::CGraphics &graphics, const Basics::CAlphaColour &colour);

    Graphics::IImage *m_downImage = nullptr;
    bool m_state = false;
    bool m_cursorChange = true;
    bool m_pressed = false;
    ::Orvalite::Basics::CString m_labelText;
    Basics::CAlphaColour m_onColour{102, 200, 85};
    Basics::CAlphaColour m_offColour{243, 32, 32};
    Basics::CAlphaColour m_onFrameColour{0, 0, 0};
    Basics::CAlphaColour m_offFrameColour{0, 0, 0};
    Basics::CAlphaColour m_onTextColour{0, 0, 0};
    Basics::CAlphaColour m_offTextColour{0, 0, 0};
};
} // namespace Orvalite::GUI::Controls
