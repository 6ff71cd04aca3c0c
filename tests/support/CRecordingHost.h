// A host callback for tests of the VST layer: answers requests from a table
// and records every request it receives.
#pragma once

#include "vst/VstAbi.h"

#include <map>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
struct SHostRequest
{
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    std::string text;
};

class CRecordingHost
{
public:
    CRecordingHost();
    ~CRecordingHost();

    // The callback to hand to an effect; it reaches the host made last.
    static audioMasterCallback callback();

    std::vector<SHostRequest> requests;
    // Answers per opcode; every can-do question is answered canDoDefault.
    std::map<VstInt32, VstIntPtr> answers;
    VstIntPtr canDoDefault = 0;
    std::string vendor = "Test Vendor";
    std::string product = "Test Product";
    VstTimeInfo *timeInfo = nullptr;

    long count(VstInt32 opcode) const;

private:
    VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt);
    static VstIntPtr dispatch(AEffect *effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt);
};
} // namespace Orvalite::Testing
