// What the host said it can do, asked once while the effect is built.
#pragma once

#include "foundation/basics/CString.h"

#include <cstdint>

class AudioEffectX;

namespace Orvalite::Vst
{
class CHostCanDo : public Basics::CCountedObject
{
public:
    // The capabilities asked, in the order they are asked.
    enum ECapability
    {
        SEND_VST_EVENTS,
        SEND_VST_MIDI_EVENT,
        SEND_VST_TIME_INFO,
        RECEIVE_VST_EVENTS,
        RECEIVE_VST_MIDI_EVENT,
        RECEIVE_VST_TIME_INFO,
        REPORT_CONNECTION_CHANGES,
        ACCEPT_IO_CHANGES,
        SIZE_WINDOW,
        ASYNC_PROCESSING,
        OFFLINE,
        SUPPLY_IDLE,
        SUPPORT_SHELL,
        EDIT_FILE,
        CLOSE_FILE_SELECTOR,
        START_STOP_PROCESS,
        NUMBER_OF_CAPABILITIES
    };

    CHostCanDo();

    // Clears, then asks the host through `effect`; throws when it is missing.
    void setFromAudioEffectX(AudioEffectX *effect);

    // Any non-zero host answer counts as yes (hosts answering -1 included).
    bool can(ECapability capability) const;
    static const char *getCapabilityName(ECapability capability);
    const Basics::CString &getHostProduct() const { return m_hostProduct; }
    const Basics::CString &getHostVendor() const { return m_hostVendor; }
    long getHostVendorVersion() const { return m_hostVendorVersion; }

    ORVALITE_CLASS_RECORD(CHostCanDo)

private:
    void clear();

    uint8_t m_capabilities[NUMBER_OF_CAPABILITIES] = {};
    Basics::CString m_hostProduct;
    Basics::CString m_hostVendor;
    int32_t m_hostVendorVersion = 0;
};
} // namespace Orvalite::Vst
