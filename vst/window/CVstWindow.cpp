#include "vst/window/CVstWindow.h"

#include "vst/AudioEffect.h"

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CVstWindow, "CVstWindow", "CCountedObject")

CVstWindow::CVstWindow(AudioEffect *effect) : AEffEditor(effect)
{
    if (effect)
    {
        effect->setEditor(this);
    }
}

void CVstWindow::updateParameter(long, double) {}
} // namespace Orvalite::Vst
