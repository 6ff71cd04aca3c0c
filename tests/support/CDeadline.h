// Ends the whole test program, as a failure, when its scope outlives a number of
// seconds: a hang in the code under test would otherwise never report. A
// watchdog thread, so it works wherever threads do.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace Zelo::Testing
{
class CDeadline
{
public:
    explicit CDeadline(int seconds)
        : m_watchdog([this, seconds] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_ended.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_isOver; }))
              {
                  std::fprintf(stderr, "The test took longer than %d s: it hangs\n", seconds);
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }
    ~CDeadline()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_isOver = true;
        }
        m_ended.notify_one();
        m_watchdog.join();
    }
    CDeadline(const CDeadline &) = delete;
    CDeadline &operator=(const CDeadline &) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_isOver = false;
    std::thread m_watchdog;
};
} // namespace Zelo::Testing
