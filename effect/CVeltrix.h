// The doubler effect: each input channel feeds one pitch-shifted, LFO-modulated,
// delayed and panned voice, mixed over the dry signal. It owns the parameter
// objects, the program bank with its A/B halves and the signal-path stages;
// the host reaches it only through the VST layer.
#pragma once

#include "effect/CVstParam.h"
#include "effect/PitShift.h"
#include "effect/VeltrixDelayLine.h"
#include "effect/VeltrixLfo.h"
#include "effect/VeltrixProgram.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "vst/CVstEffect.h"

#include <atomic>

namespace Orvalite::Veltrix
{
class CVeltrix : public Vst::CVstEffect
{
public:
    // Creates the editor, which registers itself as this effect's editor (the
    // effect then owns it). The module supplies it, so the effect never depends
    // on the GUI; without one the effect has no editor.
    using EditorFactory = void (*)(CVeltrix *effect);

    explicit CVeltrix(audioMasterCallback audioMaster, EditorFactory createEditor = nullptr);
    ~CVeltrix() override;

    void suspend() override;
    void resume() override;
    void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char *name) override;
    void getProgramName(char *name) override;
    void getParameterLabel(VstInt32 index, char *label) override;
    void getParameterDisplay(VstInt32 index, char *text) override;
    void getParameterName(VstInt32 index, char *text) override;
    VstInt32 getChunk(void **data, bool isPreset) override;
    VstInt32 setChunk(void *data, VstInt32 byteSize, bool isPreset) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char *text) override;
    bool getInputProperties(VstInt32 index, VstPinProperties *properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties *properties) override;
    VstInt32 processEvents(VstEvents *events) override;
    VstInt32 canDo(char *text) override;
    void processAccumulating(float **inputs, float **outputs, VstInt32 sampleFrames) override;

    // Audio thread: the signal path over one block, run slice by slice with the
    // settings read once at its start; outputs are always overwritten.
    virtual void processBlock(float **inputs, float **outputs, VstInt32 sampleFrames, bool replacing);
    // Writes the factory programs into the bank; program 0 ends current with its A half live.
    virtual void createFactoryPrograms();

    // The sample rate the signal path is set up for (never below 44100 Hz).
    float getWorkingSampleRate() const { return m_workingSampleRate; }
    long getGrainLength() const { return m_grainLength; }
    int32_t getSelector() const { return m_programs[0].getSelector(); }
    // Read-only views of the signal-path stages, for inspection.
    const PitShift &getShifter(int voice) const { return m_shifters[voice]; }
    const VeltrixDelayLine &getVoiceDelay(int voice) const { return m_voiceDelays[voice]; }
    const VeltrixDelayLine &getDryDelay(int channel) const { return m_dryDelays[channel]; }
    const VeltrixLfo &getLfo(int voice) const { return m_lfos[voice]; }

    ORVALITE_CLASS_RECORD(CVeltrix)

private:
    // The settings the signal path reads at the start of each block.
    struct SBlockSettings;

    SBlockSettings readBlockSettings() const;
    // Audio thread: the signal path over one slice of a block (CVeltrixProcess.cpp
    // sets the slice length).
    void processSlice(const SBlockSettings &settings, float *const inputs[2], float *const outputs[2], int frames);

    CVstParam *parameter(VstInt32 index) const;
    void applyDerivedState(VstInt32 index, float value);
    void setGrain(double seconds);
    void setVoiceDelay(VeltrixDelayLine &line, double milliseconds);
    // Initial delay and the host's notice, from the current "Sync Audio" selection.
    void updateLatency();
    void updateEditor(VstInt32 index, float value);
    void setSelector(float value);
    void setPan(int voice, float position);
    void deriveFromSampleRate();
    void loadCurrentProgram();

    VeltrixProgram m_programs[NUMBER_OF_PROGRAMS];
    Collections::TAutomaticPointer<CVstParam> m_parameters[NUMBER_OF_PARAMETERS];
    std::atomic<float> m_masterGain{1.0f};
    std::atomic<float> m_voiceOneGain{1.0f};
    std::atomic<float> m_voiceTwoGain{1.0f};
    std::atomic<float> m_dryGain{1.0f};
    std::atomic<float> m_workingSampleRate{44100.0f};
    PitShift m_shifters[2];
    VeltrixDelayLine m_voiceDelays[2];
    VeltrixDelayLine m_dryDelays[2];
    VeltrixLfo m_lfos[2];
    std::atomic<float> m_pitchRatios[2] = {1.0f, 1.0f};
    // What the signal path reads at the start of every block: each voice's
    // equal-power share of the left and right outputs (from "Pan One"/"Pan Two"),
    // the normalised "Lfo Depth One"/"Two", and whether "Sync Audio" is on.
    std::atomic<float> m_leftShares[2] = {0.0f, 1.0f};
    std::atomic<float> m_rightShares[2] = {1.0f, 0.0f};
    std::atomic<float> m_depths[2] = {0.5f, 0.5f};
    std::atomic<bool> m_syncAudio{false};
    std::atomic<long> m_grainLength{0};
};
} // namespace Orvalite::Veltrix
