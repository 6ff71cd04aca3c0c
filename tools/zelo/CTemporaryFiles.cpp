#include "tools/zelo/CTemporaryFiles.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace Zelo::Tools
{
namespace
{
// One render per core writes at a time; more files than this are still written,
// only not removed on a signal.
constexpr int SLOTS = 64;
enum SlotState
{
    SLOT_FREE,
    SLOT_FILLING,
    SLOT_RECORDED
};
// Plain arrays and lock-free atomics: all the signal handler may touch.
char g_paths[SLOTS][PATH_MAX];
std::atomic<int> g_states[SLOTS];
const int HANDLED_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

sigset_t handledSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : HANDLED_SIGNALS)
    {
        sigaddset(&set, signal);
    }
    return set;
}
} // namespace

CTemporaryFiles::CRecord::~CRecord()
{
    forget();
}

int CTemporaryFiles::CRecord::create(std::string &pattern)
{
    const sigset_t held = handledSignals();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &held, &previous);
    const int descriptor = mkstemp(pattern.data());
    const int savedErrno = errno;
    for (int slot = 0; descriptor >= 0 && m_slot < 0 && slot < SLOTS && pattern.size() < PATH_MAX; ++slot)
    {
        int expected = SLOT_FREE;
        if (g_states[slot].compare_exchange_strong(expected, SLOT_FILLING))
        {
            std::memcpy(g_paths[slot], pattern.c_str(), pattern.size() + 1);
            g_states[slot].store(SLOT_RECORDED);
            m_slot = slot;
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = savedErrno;
    return descriptor;
}

void CTemporaryFiles::CRecord::forget()
{
    if (m_slot >= 0)
    {
        g_states[m_slot].store(SLOT_FREE);
        m_slot = -1;
    }
}

void CTemporaryFiles::installSignalHandlers()
{
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    action.sa_mask = handledSignals();
    for (const int signal : HANDLED_SIGNALS)
    {
        sigaction(signal, &action, nullptr);
    }
}

void CTemporaryFiles::onSignal(int signal)
{
    for (int slot = 0; slot < SLOTS; ++slot)
    {
        if (g_states[slot].load() == SLOT_RECORDED)
        {
            unlink(g_paths[slot]);
        }
    }
    _exit(128 + signal);
}
} // namespace Zelo::Tools
