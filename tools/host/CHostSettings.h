// What our host tells a plug-in about itself: the answers to its version,
// audio-format, can-do, vendor and time requests. Each instance keeps its own copy.
#pragma once

#include "vst/VstAbi.h"

#include <functional>
#include <optional>
#include <set>
#include <string>

namespace Zelo::Tools
{
struct CHostSettings
{
    // Answer to audioMasterVersion; 0 makes a well-behaved plug-in refuse to load.
    VstInt32 vstVersion = kVstVersion;
    // Hertz; answer to audioMasterGetSampleRate and the rate setSampleRate starts from.
    double sampleRate = 44100.0;
    // Frames; answer to audioMasterGetBlockSize.
    VstInt32 blockSize = 512;
    // Can-do texts answered 1; "acceptIOChanges" also decides the audioMasterIOChanged answer.
    // The transparent comparison lets the callback look a text up without allocating.
    std::set<std::string, std::less<>> canDos = {"sendVstEvents",    "sendVstMidiEvent",    "sendVstTimeInfo",
                                                 "receiveVstEvents", "receiveVstMidiEvent", "sizeWindow",
                                                 "startStopProcess", "acceptIOChanges"};
    // Answer to any other can-do: 0 "don't know", -1 "no".
    VstIntPtr otherCanDoAnswer = 0;
    // Handed out cut to 63 characters, the size of the plug-in's buffer.
    std::string vendor = "Zelo";
    std::string product = "Zelo host";
    VstInt32 vendorVersion = 1000;
    // Returned by audioMasterGetTime; without it the host answers 0 (no time information).
    std::optional<VstTimeInfo> timeInfo;
};
} // namespace Zelo::Tools
