// The framework's editor base as the effect sees it: an AEffEditor that the
// effect tells about parameter changes, with the echo guard that stops the
// editor's own changes from coming back to it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "vst/AEffEditor.h"

namespace Orvalite::Vst
{
class CVstWindow : public AEffEditor, public Basics::CCountedObject
{
public:
    // Registers itself as the effect's editor (the effect then owns it).
    explicit CVstWindow(AudioEffect *effect);

    // The effect's notice of a parameter change (normalised value).
    virtual void updateParameter(long index, double value);
    bool isUpdatingEffect() const { return m_isUpdatingEffect; }
    void setUpdatingEffect(bool updating) { m_isUpdatingEffect = updating; }

    ORVALITE_CLASS_RECORD(CVstWindow)

private:
    bool m_isUpdatingEffect = false;
};
} // namespace Orvalite::Vst
