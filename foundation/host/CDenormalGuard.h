// While it lives, the processor treats subnormal floats as zero (flush-to-zero
// and denormals-are-zero), so decaying tails cost no more than normal signal;
// the caller's mode is restored when it ends. Audio thread, one per process call.
#pragma once

namespace Orvalite::Host
{
class CDenormalGuard
{
public:
    CDenormalGuard();
    ~CDenormalGuard();
    CDenormalGuard(const CDenormalGuard &) = delete;
    CDenormalGuard &operator=(const CDenormalGuard &) = delete;

private:
    unsigned int m_savedMode;
};
} // namespace Orvalite::Host
