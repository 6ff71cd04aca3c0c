// What an effect knows of its editor beyond the host's editor requests: the
// notice of a parameter change and the echo guard that stops the editor's own
// changes from coming back to it. The editor window implements it; the effect
// reaches it through its editor pointer, so the effect never depends on the GUI.
#pragma once

namespace Orvalite::Vst
{
class IEffectEditor
{
public:
    // The effect's notice of a parameter change (normalised value). May arrive
    // on the audio thread (MIDI, automation): implementations only record there.
    virtual void updateParameter(long index, double value) = 0;
    // True while the editor itself is changing an effect parameter.
    virtual bool isUpdatingEffect() const = 0;

protected:
    ~IEffectEditor() = default;
};
} // namespace Orvalite::Vst
