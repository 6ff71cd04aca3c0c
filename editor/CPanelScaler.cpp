#include "editor/CPanelScaler.h"

#include "gui/controls/base/IControlRoot.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/fonts/CFont.h"

namespace Orvalite::Veltrix
{
void CPanelScaler::rescale(GUI::Controls::IControlRoot &root, const CEditorScale &from, const CEditorScale &to,
                           GUI::Fonts::CFont &panelFont)
{
    panelFont.setFontSize(to.toPixels(GUI::Fonts::CFont::DEFAULT_SIZE));
    const double dragScale = static_cast<double>(to.getPercent()) / 100.0;
    for (long index = 0; index < root.getArraySize(); ++index)
    {
        GUI::Controls::IControl *control = root.getControlAtIndex(index, true);
        if (!control)
        {
            continue;
        }
        control->setArea(to.rescale(control->getArea(), from));
        if (auto *knob = dynamic_cast<GUI::Controls::CKnob *>(control))
        {
            knob->setDragScale(dragScale);
        }
        auto *label = dynamic_cast<GUI::Controls::CTextLabel *>(control);
        if (label && (label->getFont() == &panelFont || label->getFont() == GUI::Fonts::CFont::getDefaultFont()))
        {
            label->setFont(&panelFont);
        }
    }
}
} // namespace Orvalite::Veltrix
