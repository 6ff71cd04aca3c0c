// The framework's effect base: the VST 2.x effect plus the host's capability
// snapshot, a tempo query, the block's MIDI list, the identity answers from the
// application information and harmless defaults for every text query.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "vst/AudioEffectX.h"
#include "vst/CHostCanDo.h"
#include "vst/CVstMidiEventList.h"
#include "vst/CVstTempo.h"

namespace Orvalite::Vst
{
class IEffectEditor;

class CVstEffect : public AudioEffectX, public Basics::CCountedObject
{
public:
    CVstEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms);

    void getParameterLabel(VstInt32 index, char *label) override;
    void getParameterDisplay(VstInt32 index, char *text) override;
    void getParameterName(VstInt32 index, char *text) override;
    void getProgramName(char *name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char *text) override;
    void setProgramName(char *) override {}
    // Clear the block's MIDI list: its events have been handled.
    void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double **inputs, double **outputs, VstInt32 sampleFrames) override;
    // A second accumulating path that no host entry reaches; the base only clears the MIDI list.
    virtual void processAccumulating(float **inputs, float **outputs, VstInt32 sampleFrames);
    VstInt32 processEvents(VstEvents *events) override;
    VstInt32 getNumMidiInputChannels() override { return 1; }
    bool getEffectName(char *name) override;
    bool getVendorString(char *text) override;
    bool getProductString(char *text) override;

    const CHostCanDo &getHostCanDo() const { return m_hostCanDo; }
    CVstTempo &getTempo() { return m_tempo; }
    const CVstMidiEventList &getMidiEvents() const { return m_midiEvents; }
    // The editor's parameter side when the editor has one, else null.
    IEffectEditor *getEffectEditor() const { return m_effectEditor; }

    ORVALITE_CLASS_RECORD(CVstEffect)

private:
    CHostCanDo m_hostCanDo;
    CVstTempo m_tempo;
    CVstMidiEventList m_midiEvents;
};
} // namespace Orvalite::Vst
