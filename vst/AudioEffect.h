// The VST 1 effect base: owns the effect record handed to the host, the host
// callback and the editor, answers opcodes 0 to 24 and wraps the basic host
// requests. The record's entry functions are the only way the host reaches it.
#pragma once

#include "vst/VstAbi.h"

class AEffEditor;

namespace Orvalite::Vst
{
class IEffectEditor;
}

class AudioEffect
{
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    AudioEffect(const AudioEffect &) = delete;
    AudioEffect &operator=(const AudioEffect &) = delete;
    // Deletes the editor.
    virtual ~AudioEffect();

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt);
    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}
    virtual void setSampleRate(float sampleRate) { m_sampleRate = sampleRate; }
    virtual void setBlockSize(VstInt32 blockSize) { m_blockSize = blockSize; }
    virtual void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double **, double **, VstInt32) {}
    virtual void setParameter(VstInt32, float) {}
    virtual float getParameter(VstInt32) { return 0.0f; }
    // Sets the parameter on this effect, then tells the host (automation recording).
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual VstInt32 getProgram() { return m_currentProgram; }
    virtual void setProgram(VstInt32 program) { m_currentProgram = program; }
    virtual void setProgramName(char *) {}
    virtual void getProgramName(char *name);
    virtual void getParameterLabel(VstInt32 index, char *label);
    virtual void getParameterDisplay(VstInt32 index, char *text);
    virtual void getParameterName(VstInt32 index, char *text);
    // `*data` receives the chunk's address; the result is its size in bytes.
    virtual VstInt32 getChunk(void **, bool = false) { return 0; }
    virtual VstInt32 setChunk(void *, VstInt32, bool = false) { return 0; }

    virtual void setUniqueID(VstInt32 uniqueID) { m_effect.uniqueID = uniqueID; }
    virtual void setNumInputs(VstInt32 inputs) { m_effect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { m_effect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(VstInt32 delay) { m_effect.initialDelay = delay; }
    virtual AEffEditor *getEditor() { return m_editor; }
    virtual AEffect *getAeffect() { return &m_effect; }
    virtual float getSampleRate() { return m_sampleRate; }
    virtual VstInt32 getBlockSize() { return m_blockSize; }

    // Host requests; without a host each answers its no-host value.
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);

    // Text helpers; `maxLength` is the capacity of `text` including the terminator.
    virtual void dB2string(float value, char *text, VstInt32 maxLength);
    virtual void Hz2string(float samples, char *text, VstInt32 maxLength);
    virtual void ms2string(float samples, char *text, VstInt32 maxLength);
    virtual void float2string(float value, char *text, VstInt32 maxLength);
    virtual void int2string(VstInt32 value, char *text, VstInt32 maxLength);

    // The accumulating path: adds nothing, so the outputs stay as they were.
    virtual void process(float **, float **, VstInt32) {}
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(VstInt32 qualities) { m_effect.realQualities = qualities; }
    virtual void setOfflineQualities(VstInt32 qualities) { m_effect.offQualities = qualities; }

    // Keeps the editor (owned from now on) and announces it in the record's flags.
    void setEditor(AEffEditor *editor);
    void setBlockSizeAndSampleRate(VstInt32 blockSize, float sampleRate);

protected:
    // Calls the host, or answers 0 when there is none.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr, float opt = 0.0f);
    void setFlag(VstInt32 flag, bool state);
    bool hasFlag(VstInt32 flag) const { return (m_effect.flags & flag) != 0; }

    audioMasterCallback m_audioMaster;
    AEffEditor *m_editor = nullptr;
    Orvalite::Vst::IEffectEditor *m_effectEditor = nullptr;
    float m_sampleRate = 44100.0f;
    VstInt32 m_blockSize = 1024;
    VstInt32 m_numPrograms;
    VstInt32 m_numParams;
    VstInt32 m_currentProgram = 0;
    AEffect m_effect;

private:
    VstIntPtr dispatchEditor(VstInt32 opcode, void *ptr);
};
