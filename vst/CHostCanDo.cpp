#include "vst/CHostCanDo.h"

#include "foundation/basics/CException.h"
#include "vst/AudioEffectX.h"

#include <cstring>

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CHostCanDo, "CHostCanDo", "CCountedObject")

namespace
{
const char *const CAPABILITY_NAMES[CHostCanDo::NUMBER_OF_CAPABILITIES] = {"sendVstEvents",
                                                                          "sendVstMidiEvent",
                                                                          "sendVstTimeInfo",
                                                                          "receiveVstEvents",
                                                                          "receiveVstMidiEvent",
                                                                          "receiveVstTimeInfo",
                                                                          "reportConnectionChanges",
                                                                          "acceptIOChanges",
                                                                          "sizeWindow",
                                                                          "asyncProcessing",
                                                                          "offline",
                                                                          "supplyIdle",
                                                                          "supportShell",
                                                                          "editFile",
                                                                          "closeFileSelector",
                                                                          "startStopProcess"};

// Hosts write up to 64 bytes; the rest is margin against careless hosts.
const size_t HOST_TEXT_SIZE = 256;
} // namespace

CHostCanDo::CHostCanDo()
{
    clear();
}

void CHostCanDo::setFromAudioEffectX(AudioEffectX *effect)
{
    if (!effect)
    {
        throw Exceptions::CException("Effect is NULL", "CHostCanDo::setFromAudioEffectX(AudioEffectX *)", true);
    }
    clear();
    for (int capability = 0; capability < NUMBER_OF_CAPABILITIES; ++capability)
    {
        char name[32];
        std::strcpy(name, CAPABILITY_NAMES[capability]);
        m_capabilities[capability] = effect->canHostDo(name) ? 1 : 0;
    }
    char text[HOST_TEXT_SIZE] = {};
    effect->getHostProductString(text);
    text[HOST_TEXT_SIZE - 1] = '\0';
    m_hostProduct.setString(text);
    std::memset(text, 0, sizeof(text));
    effect->getHostVendorString(text);
    text[HOST_TEXT_SIZE - 1] = '\0';
    m_hostVendor.setString(text);
    m_hostVendorVersion = effect->getHostVendorVersion();
}

bool CHostCanDo::can(ECapability capability) const
{
    return capability >= 0 && capability < NUMBER_OF_CAPABILITIES && m_capabilities[capability] != 0;
}

const char *CHostCanDo::getCapabilityName(ECapability capability)
{
    return capability >= 0 && capability < NUMBER_OF_CAPABILITIES ? CAPABILITY_NAMES[capability] : "";
}

void CHostCanDo::clear()
{
    std::memset(m_capabilities, 0, sizeof(m_capabilities));
    m_hostProduct.setString(" ");
    m_hostVendor.setString(" ");
    m_hostVendorVersion = 0;
}
} // namespace Orvalite::Vst
