// Stands in for a window in the tests of a platform's window system: it keeps
// every message and timer the system delivers.
#pragma once

#include "gui/windowing/INativeWindowSystem.h"
#include "gui/windowing/WindowMessage.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace Orvalite::Testing
{
struct SRecordedMessage
{
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

class CRecordingTarget : public GUI::Windowing::INativeMessageTarget
{
public:
    intptr_t handleNativeMessage(GUI::Basics::NativeWindowHandle, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) override
    {
        messages.push_back({message, wParam, lParam});
        if (onMessage)
        {
            onMessage(messages.back());
        }
        return 0;
    }
    void handleNativeTimer(long id) override { timers.push_back(id); }

    // The numbers of the messages other than painting, in order.
    std::vector<uint32_t> inputMessages() const
    {
        std::vector<uint32_t> numbers;
        for (const SRecordedMessage &recorded : messages)
        {
            if (recorded.message != GUI::Windowing::e_paint)
            {
                numbers.push_back(recorded.message);
            }
        }
        return numbers;
    }
    // The last message of this number; a null message when none came.
    SRecordedMessage last(uint32_t message) const
    {
        const auto found = std::find_if(messages.rbegin(), messages.rend(),
                                        [&](const SRecordedMessage &recorded) { return recorded.message == message; });
        return found == messages.rend() ? SRecordedMessage{} : *found;
    }
    size_t count(uint32_t message) const
    {
        return std::count_if(messages.begin(), messages.end(),
                             [&](const SRecordedMessage &recorded) { return recorded.message == message; });
    }

    std::vector<SRecordedMessage> messages;
    std::vector<long> timers;
    std::function<void(const SRecordedMessage &)> onMessage;
};

// The signed words of a packed parameter.
inline long lowWord(intptr_t value)
{
    return static_cast<int16_t>(value & 0xFFFF);
}
inline long highWord(intptr_t value)
{
    return static_cast<int16_t>((value >> 16) & 0xFFFF);
}
} // namespace Orvalite::Testing
