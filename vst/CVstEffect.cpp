#include "vst/CVstEffect.h"

#include "foundation/basics/CApplicationInformation.h"
#include "vst/AEffEditor.h"
#include "vst/IEffectEditor.h"

#include <cstring>

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CVstEffect, "CVstEffect", "CCountedObject")

namespace
{
const char *const NO_PARAMETER = "No param";
const char *const DEFAULT_PROGRAM = "Default";
// Identity answers fill this much of the host's buffer, terminator included.
const long IDENTITY_SIZE = 24;

bool copyIdentity(const Basics::CString &identity, char *text)
{
    if (!text)
    {
        return false;
    }
    identity.getString(text, IDENTITY_SIZE);
    return true;
}
} // namespace

CVstEffect::CVstEffect(audioMasterCallback audioMaster, VstInt32 numParams, VstInt32 numPrograms)
    : AudioEffectX(audioMaster, numPrograms, numParams), m_tempo(this)
{
    m_hostCanDo.setFromAudioEffectX(this);
}

void CVstEffect::getParameterLabel(VstInt32, char *label)
{
    std::strcpy(label, NO_PARAMETER);
}

void CVstEffect::getParameterDisplay(VstInt32, char *text)
{
    std::strcpy(text, NO_PARAMETER);
}

void CVstEffect::getParameterName(VstInt32, char *text)
{
    std::strcpy(text, NO_PARAMETER);
}

void CVstEffect::getProgramName(char *name)
{
    std::strcpy(name, DEFAULT_PROGRAM);
}

bool CVstEffect::getProgramNameIndexed(VstInt32, VstInt32, char *text)
{
    std::strcpy(text, DEFAULT_PROGRAM);
    return true;
}

void CVstEffect::processReplacing(float **, float **, VstInt32)
{
    m_midiEvents.clear();
}

void CVstEffect::processDoubleReplacing(double **, double **, VstInt32)
{
    m_midiEvents.clear();
}

void CVstEffect::processAccumulating(float **, float **, VstInt32)
{
    m_midiEvents.clear();
}

VstInt32 CVstEffect::processEvents(VstEvents *events)
{
    m_midiEvents.fillFromVstEvents(events);
    return 1;
}

bool CVstEffect::getEffectName(char *name)
{
    return copyIdentity(Basics::CApplicationInformation::getProductName(), name);
}

bool CVstEffect::getVendorString(char *text)
{
    return copyIdentity(Basics::CApplicationInformation::getCompanyName(), text);
}

bool CVstEffect::getProductString(char *text)
{
    return copyIdentity(Basics::CApplicationInformation::getProductType(), text);
}

} // namespace Orvalite::Vst
