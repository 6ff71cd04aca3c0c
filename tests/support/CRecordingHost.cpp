#include "tests/support/CRecordingHost.h"

#include <algorithm>
#include <cstring>

namespace Orvalite::Testing
{
namespace
{
CRecordingHost *s_current = nullptr;
}

CRecordingHost::CRecordingHost()
{
    s_current = this;
}

CRecordingHost::~CRecordingHost()
{
    if (s_current == this)
    {
        s_current = nullptr;
    }
}

audioMasterCallback CRecordingHost::callback()
{
    return dispatch;
}

long CRecordingHost::count(VstInt32 opcode) const
{
    return std::count_if(requests.begin(), requests.end(),
                         [opcode](const auto &request) { return request.opcode == opcode; });
}

VstIntPtr CRecordingHost::dispatch(AEffect *, VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    return s_current ? s_current->answer(opcode, index, value, ptr, opt) : 0;
}

VstIntPtr CRecordingHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr, float opt)
{
    const bool asksText = opcode == audioMasterCanDo;
    requests.push_back({opcode, index, value, opt, asksText && ptr ? static_cast<const char *>(ptr) : ""});
    switch (opcode)
    {
    case audioMasterCanDo:
        return canDoDefault;
    case audioMasterGetVendorString:
        std::strcpy(static_cast<char *>(ptr), vendor.c_str());
        return 1;
    case audioMasterGetProductString:
        std::strcpy(static_cast<char *>(ptr), product.c_str());
        return 1;
    case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(timeInfo);
    default: {
        const auto found = answers.find(opcode);
        return found == answers.end() ? 0 : found->second;
    }
    }
}
} // namespace Orvalite::Testing
