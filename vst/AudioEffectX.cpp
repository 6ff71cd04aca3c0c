#include "vst/AudioEffectX.h"

#include "vst/AEffEditor.h"

namespace
{
VstIntPtr answer(bool result)
{
    return result ? 1 : 0;
}

char RECEIVE_MIDI[] = "receiveVstMidiEvent";
} // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    if (opcode < effProcessEvents)
    {
        return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
    switch (opcode)
    {
    case effProcessEvents:
        return ptr ? processEvents(static_cast<VstEvents *>(ptr)) : 0;
    case effCanBeAutomated:
        return answer(canParameterBeAutomated(index));
    case effString2Parameter:
        return ptr && answer(string2parameter(index, static_cast<char *>(ptr)));
    case effGetProgramNameIndexed:
        return ptr && answer(getProgramNameIndexed(static_cast<VstInt32>(value), index, static_cast<char *>(ptr)));
    case effGetInputProperties:
        return ptr && answer(getInputProperties(index, static_cast<VstPinProperties *>(ptr)));
    case effGetOutputProperties:
        return ptr && answer(getOutputProperties(index, static_cast<VstPinProperties *>(ptr)));
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return offlineNotify(ptr, static_cast<VstInt32>(value), index != 0) & 0xFF;
    case effOfflinePrepare:
        return offlinePrepare(ptr, static_cast<VstInt32>(value)) & 0xFF;
    case effOfflineRun:
        return offlineRun(ptr, static_cast<VstInt32>(value)) & 0xFF;
    case effProcessVarIo:
        return answer(processVariableIo(ptr));
    case effSetSpeakerArrangement:
        return answer(setSpeakerArrangement(reinterpret_cast<void *>(value), ptr));
    case effSetBypass:
        return answer(setBypass(value != 0));
    case effGetEffectName:
        return answer(getEffectName(static_cast<char *>(ptr)));
    case effGetVendorString:
        return answer(getVendorString(static_cast<char *>(ptr)));
    case effGetProductString:
        return answer(getProductString(static_cast<char *>(ptr)));
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canDo(static_cast<char *>(ptr));
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return answer(getParameterProperties(index, ptr));
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode:
        return dispatchEditorKey(opcode, index, value, opt);
    case effGetMidiProgramName:
        return getMidiProgramName(index, ptr);
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, ptr);
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, ptr);
    case effHasMidiProgramsChanged:
        return answer(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return answer(getMidiKeyName(index, ptr));
    case effBeginSetProgram:
        return answer(beginSetProgram());
    case effEndSetProgram:
        return answer(endSetProgram());
    case effGetSpeakerArrangement:
        return answer(getSpeakerArrangement(reinterpret_cast<void **>(value), static_cast<void **>(ptr)));
    case effShellGetNextPlugin:
        return getNextShellPlugin(static_cast<char *>(ptr));
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
        return answer(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
        return beginLoadBank(ptr);
    case effBeginLoadProgram:
        return beginLoadProgram(ptr);
    case effSetProcessPrecision:
        return answer(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
        return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return getNumMidiOutputChannels();
    default:
        return 0;
    }
}

// Key codes travel as: character in index, virtual key in the value's low
// byte, modifiers in the low byte of the float argument.
VstIntPtr AudioEffectX::dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt)
{
    AEffEditor *editor = getEditor();
    if (!editor)
    {
        return 0;
    }
    const VstInt32 virtualKey = static_cast<VstInt32>(value & 0xFF);
    const VstInt32 modifier = static_cast<VstInt32>(opt) & 0xFF;
    switch (opcode)
    {
    case effEditKeyDown:
        return answer(editor->onKeyDown(index, virtualKey, modifier));
    case effEditKeyUp:
        return answer(editor->onKeyUp(index, virtualKey, modifier));
    default:
        return answer(editor->setKnobMode(static_cast<VstInt32>(value)));
    }
}

void AudioEffectX::resume()
{
    if (!hasFlag(effFlagsIsSynth) && canDo(RECEIVE_MIDI) != 1)
    {
        return;
    }
    wantEvents(1);
}

VstInt32 AudioEffectX::getPlugCategory()
{
    // 2 is the synth category, 0 "unknown": hosts then ask nothing more.
    return hasFlag(effFlagsIsSynth) ? 2 : 0;
}

bool AudioEffectX::getSpeakerArrangement(void **input, void **output)
{
    if (input)
    {
        *input = nullptr;
    }
    if (output)
    {
        *output = nullptr;
    }
    return false;
}

bool AudioEffectX::wantEvents(VstInt32 filter)
{
    return callHost(audioMasterWantMidi, 0, filter) != 0;
}

VstTimeInfo *AudioEffectX::getTimeInfo(VstInt32 filter)
{
    return reinterpret_cast<VstTimeInfo *>(callHost(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents *events)
{
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

VstInt32 AudioEffectX::tempoAt(VstInt32 position)
{
    return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, position));
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::ioChanged()
{
    return callHost(audioMasterIOChanged) != 0;
}

bool AudioEffectX::needIdle()
{
    return callHost(audioMasterNeedIdle) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

double AudioEffectX::updateSampleRate()
{
    const VstIntPtr rate = callHost(audioMasterGetSampleRate);
    if (rate > 0)
    {
        m_sampleRate = static_cast<float>(rate);
    }
    return m_sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    const VstIntPtr size = callHost(audioMasterGetBlockSize);
    if (size > 0)
    {
        m_blockSize = static_cast<VstInt32>(size);
    }
    return m_blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString(char *text)
{
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char *text)
{
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 first, VstIntPtr second, void *ptr, float value)
{
    return callHost(audioMasterVendorSpecific, first, second, ptr, value);
}

bool AudioEffectX::canHostDo(char *text)
{
    return callHost(audioMasterCanDo, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

bool AudioEffectX::updateDisplay()
{
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::openFileSelector(void *selector)
{
    return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

bool AudioEffectX::closeFileSelector(void *selector)
{
    return selector && callHost(audioMasterCloseFileSelector, 0, 0, selector) != 0;
}
