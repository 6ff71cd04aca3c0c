#include "vst/AudioEffect.h"

#include "foundation/basics/CException.h"
#include "foundation/io/TraceLog.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
// 'NoEf': the unique ID of an effect that has not set its own.
const VstInt32 DEFAULT_UNIQUE_ID = 0x4E6F4566;
// 'NvEf': the answer to effIdentify.
const VstInt32 IDENTIFY_ANSWER = 0x4E764566;

AudioEffect *effectOf(AEffect *record)
{
    return record ? static_cast<AudioEffect *>(record->object) : nullptr;
}

// Entry functions: the host calls these through the record. Nothing may
// escape into the host, which cannot handle C++ exceptions.
VstIntPtr dispatchEntry(AEffect *record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    AudioEffect *effect = effectOf(record);
    if (!effect)
    {
        return 0;
    }
    try
    {
        if (opcode == effClose)
        {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatcher(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

void processEntry(AEffect *record, float **inputs, float **outputs, VstInt32 frames)
{
    if (AudioEffect *effect = effectOf(record))
    {
        effect->process(inputs, outputs, frames);
    }
}

void processReplacingEntry(AEffect *record, float **inputs, float **outputs, VstInt32 frames)
{
    if (AudioEffect *effect = effectOf(record))
    {
        effect->processReplacing(inputs, outputs, frames);
    }
}

void processDoubleReplacingEntry(AEffect *record, double **inputs, double **outputs, VstInt32 frames)
{
    if (AudioEffect *effect = effectOf(record))
    {
        effect->processDoubleReplacing(inputs, outputs, frames);
    }
}

void setParameterEntry(AEffect *record, VstInt32 index, float value)
{
    if (AudioEffect *effect = effectOf(record))
    {
        try
        {
            effect->setParameter(index, value);
        }
        catch (...)
        {
        }
    }
}

float getParameterEntry(AEffect *record, VstInt32 index)
{
    AudioEffect *effect = effectOf(record);
    return effect ? effect->getParameter(index) : 0.0f;
}

void copyText(const char *source, char *text, VstInt32 maxLength)
{
    if (text && maxLength > 0)
    {
        std::snprintf(text, static_cast<size_t>(maxLength), "%s", source);
    }
}
} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : m_audioMaster(audioMaster), m_numPrograms(numPrograms), m_numParams(numParams)
{
    std::memset(&m_effect, 0, sizeof(m_effect));
    m_effect.magic = kEffectMagic;
    m_effect.dispatcher = dispatchEntry;
    m_effect.process = processEntry;
    m_effect.setParameter = setParameterEntry;
    m_effect.getParameter = getParameterEntry;
    m_effect.numPrograms = numPrograms;
    m_effect.numParams = numParams;
    m_effect.numInputs = 1;
    m_effect.numOutputs = 2;
    m_effect.flags = effFlagsCanReplacing;
    m_effect.ioRatio = 1.0f;
    m_effect.object = this;
    m_effect.uniqueID = DEFAULT_UNIQUE_ID;
    m_effect.version = 1;
    m_effect.processReplacing = processReplacingEntry;
    m_effect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect()
{
    delete m_editor;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    switch (opcode)
    {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < m_numPrograms)
        {
            setProgram(static_cast<VstInt32>(value));
        }
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (ptr)
        {
            setProgramName(static_cast<char *>(ptr));
        }
        return 0;
    case effGetProgramName:
        if (ptr)
        {
            getProgramName(static_cast<char *>(ptr));
        }
        return 0;
    case effGetParamLabel:
        if (ptr)
        {
            getParameterLabel(index, static_cast<char *>(ptr));
        }
        return 0;
    case effGetParamDisplay:
        if (ptr)
        {
            getParameterDisplay(index, static_cast<char *>(ptr));
        }
        return 0;
    case effGetParamName:
        if (ptr)
        {
            getParameterName(index, static_cast<char *>(ptr));
        }
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value)
        {
            resume();
        }
        else
        {
            suspend();
        }
        return 0;
    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
    case effEditIdle:
        return dispatchEditor(opcode, ptr);
    case effIdentify:
        return IDENTIFY_ANSWER;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void **>(ptr), index != 0) : 0;
    case effSetChunk:
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        return 0;
    }
}

VstIntPtr AudioEffect::dispatchEditor(VstInt32 opcode, void *ptr)
{
    if (!m_editor)
    {
        return 0;
    }
    // Nothing may cross into the host: a failing editor request answers 0.
    try
    {
        switch (opcode)
        {
        case effEditGetRect:
            return m_editor->getRect(static_cast<ERect **>(ptr)) ? 1 : 0;
        case effEditOpen:
            return m_editor->open(ptr) ? 1 : 0;
        case effEditClose:
            m_editor->close();
            return 0;
        default:
            m_editor->idle();
            return 0;
        }
    }
    catch (const Orvalite::Exceptions::CException &caught)
    {
        Orvalite::IO::traceMessage("Editor request %d failed: %s", static_cast<int>(opcode),
                                   caught.getErrorReason().getString());
    }
    catch (...)
    {
        Orvalite::IO::traceMessage("Editor request %d failed", static_cast<int>(opcode));
    }
    return 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getProgramName(char *name)
{
    *name = '\0';
}

void AudioEffect::getParameterLabel(VstInt32, char *label)
{
    *label = '\0';
}

void AudioEffect::getParameterDisplay(VstInt32, char *text)
{
    *text = '\0';
}

void AudioEffect::getParameterName(VstInt32, char *text)
{
    *text = '\0';
}

VstInt32 AudioEffect::getMasterVersion()
{
    const VstIntPtr version = callHost(audioMasterVersion);
    return version == 0 ? 1 : static_cast<VstInt32>(version);
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

bool AudioEffect::isInputConnected(VstInt32 input)
{
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output)
{
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char *text, VstInt32 maxLength)
{
    if (value <= 0.0f)
    {
        copyText("-oo", text, maxLength);
        return;
    }
    float2string(20.0f * std::log10(value), text, maxLength);
}

void AudioEffect::Hz2string(float samples, char *text, VstInt32 maxLength)
{
    float2string(samples == 0.0f ? 0.0f : m_sampleRate / samples, text, maxLength);
}

void AudioEffect::ms2string(float samples, char *text, VstInt32 maxLength)
{
    float2string(samples * 1000.0f / m_sampleRate, text, maxLength);
}

void AudioEffect::float2string(float value, char *text, VstInt32 maxLength)
{
    if (value > 99999999.0f || value < -9999999.0f)
    {
        copyText("Huge!", text, maxLength);
        return;
    }
    char number[32];
    std::snprintf(number, sizeof(number), "%.2f", static_cast<double>(value));
    copyText(number, text, maxLength);
}

void AudioEffect::int2string(VstInt32 value, char *text, VstInt32 maxLength)
{
    if (value >= 100000000)
    {
        copyText("Huge!", text, maxLength);
        return;
    }
    char number[16];
    std::snprintf(number, sizeof(number), "%d", static_cast<int>(value));
    copyText(number, text, maxLength);
}

void AudioEffect::setEditor(AEffEditor *editor)
{
    m_editor = editor;
    // Looked up once here: the effect asks for it at every parameter change.
    m_effectEditor = dynamic_cast<Orvalite::Vst::IEffectEditor *>(editor);
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setBlockSizeAndSampleRate(VstInt32 blockSize, float sampleRate)
{
    m_blockSize = blockSize;
    m_sampleRate = sampleRate;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    return m_audioMaster ? m_audioMaster(&m_effect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    m_effect.flags = state ? (m_effect.flags | flag) : (m_effect.flags & ~flag);
}
