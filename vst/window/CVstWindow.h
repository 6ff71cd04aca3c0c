// The framework's editor base: an AEffEditor that the host opens and closes,
// and that the effect tells about parameter changes, with the echo guard that
// stops the editor's own changes from coming back to it. The effect owns it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

namespace Orvalite::Vst
{
class CVstWindow : public AEffEditor, public Basics::CCountedObject, public IEffectEditor
{
public:
    // Registers itself as the effect's editor (the effect then owns it).
    explicit CVstWindow(AudioEffect *effect);

    void updateParameter(long index, double value) override;
    bool isUpdatingEffect() const override { return m_isUpdatingEffect; }
    void setUpdatingEffect(bool updating) { m_isUpdatingEffect = updating; }

    ORVALITE_CLASS_RECORD(CVstWindow)

private:
    bool m_isUpdatingEffect = false;
};
} // namespace Orvalite::Vst
