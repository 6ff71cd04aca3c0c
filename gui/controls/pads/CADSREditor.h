// An envelope editor: attack, decay, sustain and release, each 0 … 1, drawn
// as the envelope's outline in the line colour over its area in the poly
// colour. The width is four quarters: the attack takes up to the first, the
// decay up to the second, the sustain holds for one quarter and the release
// takes up to the last, so the handles (attack peak, decay end, sustain end,
// release end) always keep their time order. Dragging a handle sets the
// parameters it stands for (the decay end both decay and sustain, the
// sustain end the sustain); each change is reported with the parameter's
// index as event type and its value as the control's value. A press on a
// handle selects it (drawn in the selected handle colour) until a press
// elsewhere.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "gui/controls/base/CControl.h"
#include "gui/controls/base/CDescriptorFields.h"

namespace Orvalite::GUI::Controls
{
class CADSREditor : public CControl
{
public:
    enum EParameter : long
    {
        e_attack,
        e_decay,
        e_sustain,
        e_release,
    };
    static constexpr long NUMBER_OF_PARAMETERS = 4;
    // Handles are squares of twice this size, and take presses this close.
    static constexpr long HANDLE_RADIUS = 4;

    CADSREditor(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
                Listeners::IActionListener *actionListener = nullptr);

    // Ignored for an index or value out of range; redraws.
    void setParameter(long parameter, double value);
    double getParameter(long parameter) const;
    // Handle 0 … 3: the attack peak, decay end, sustain end and release end;
    // any other handle answers the origin.
    MathTools::CPoint getHandlePosition(long handle) const;
    long getSelectedHandle() const { return m_selected; }

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;
    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;

    ORVALITE_CLASS_RECORD(CADSREditor)

private:
    CDescriptorFields describe() const;
    double quarter() const;
    // The pixel row of a level 0 … 1.
    double levelY(double level) const;
    long handleAt(const MathTools::CPoint &point) const;
    void dragTo(const MathTools::CPoint &point);
    // Sets a parameter the user moved and reports it when it changed.
    void change(long parameter, double value);

    Basics::CAlphaColour m_lineColour{0, 0, 0, 255};
    Basics::CAlphaColour m_polyColour{153, 116, 188, 255};
    Basics::CAlphaColour m_handleColour{239, 149, 41, 255};
    Basics::CAlphaColour m_selHandleColour{243, 32, 32, 255};
    double m_parameters[NUMBER_OF_PARAMETERS] = {0.2, 0.3, 0.6, 0.4};
    long m_selected = -1;
    bool m_isDragging = false;
};
} // namespace Orvalite::GUI::Controls
