// The VST 2.x effect base: answers opcodes 25 to 79 and wraps the 2.x host
// requests. Operations the effect leaves alone give the neutral answers.
#pragma once

#include "vst/AudioEffect.h"

class AudioEffectX : public AudioEffect
{
public:
    using AudioEffect::AudioEffect;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt) override;
    // Asks the host for MIDI when the effect says it receives it.
    void resume() override;

    virtual VstInt32 processEvents(VstEvents *) { return 0; }
    virtual bool canParameterBeAutomated(VstInt32) { return true; }
    virtual bool string2parameter(VstInt32, char *) { return false; }
    virtual bool getProgramNameIndexed(VstInt32, VstInt32, char *) { return false; }
    virtual bool getInputProperties(VstInt32, VstPinProperties *) { return false; }
    virtual bool getOutputProperties(VstInt32, VstPinProperties *) { return false; }
    virtual VstInt32 getPlugCategory();
    virtual bool offlineNotify(void *, VstInt32, bool) { return false; }
    virtual bool offlinePrepare(void *, VstInt32) { return false; }
    virtual bool offlineRun(void *, VstInt32) { return false; }
    virtual bool processVariableIo(void *) { return false; }
    virtual bool setSpeakerArrangement(void *, void *) { return false; }
    virtual bool setBypass(bool) { return false; }
    virtual bool getEffectName(char *) { return false; }
    virtual bool getVendorString(char *) { return false; }
    virtual bool getProductString(char *) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void *, float) { return 0; }
    virtual VstInt32 canDo(char *) { return 0; }
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual bool getParameterProperties(VstInt32, void *) { return false; }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstInt32 getMidiProgramName(VstInt32, void *) { return 0; }
    virtual VstInt32 getCurrentMidiProgram(VstInt32, void *) { return -1; }
    virtual VstInt32 getMidiProgramCategory(VstInt32, void *) { return 0; }
    virtual bool hasMidiProgramsChanged(VstInt32) { return false; }
    virtual bool getMidiKeyName(VstInt32, void *) { return false; }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    // Writes null into both arrangement slots.
    virtual bool getSpeakerArrangement(void **input, void **output);
    virtual VstInt32 getNextShellPlugin(char *) { return 0; }
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }
    virtual bool setPanLaw(VstInt32, float) { return false; }
    virtual VstInt32 beginLoadBank(void *) { return 0; }
    virtual VstInt32 beginLoadProgram(void *) { return 0; }
    virtual bool setProcessPrecision(VstInt32) { return false; }
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    // Host requests of VST 2.x; without a host each answers 0 or false.
    virtual bool wantEvents(VstInt32 filter = 1);
    virtual VstTimeInfo *getTimeInfo(VstInt32 filter);
    virtual bool sendVstEventsToHost(VstEvents *events);
    virtual VstInt32 tempoAt(VstInt32 position);
    virtual VstInt32 getNumAutomatableParameters();
    virtual VstInt32 getParameterQuantization();
    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(VstInt32 width, VstInt32 height);
    // A positive host answer replaces the stored value; the stored value is returned.
    virtual double updateSampleRate();
    virtual VstInt32 updateBlockSize();
    virtual VstInt32 getInputLatency();
    virtual VstInt32 getOutputLatency();
    virtual VstInt32 willProcessReplacing();
    virtual VstInt32 getCurrentProcessLevel();
    virtual VstInt32 getAutomationState();
    virtual bool getHostVendorString(char *text);
    virtual bool getHostProductString(char *text);
    virtual VstInt32 getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific(VstInt32 first, VstIntPtr second, void *ptr, float value);
    virtual bool canHostDo(char *text);
    virtual VstInt32 getHostLanguage();
    virtual bool updateDisplay();
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);
    virtual bool openFileSelector(void *selector);
    virtual bool closeFileSelector(void *selector);

    void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
    void noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
    void wantAsyncOperation(bool state) { setFlag(effFlagsExtIsAsync, state); }
    void hasExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }

private:
    VstIntPtr dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
};
