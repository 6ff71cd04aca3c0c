// Keeps GDI+ running while it lives. The first session starts GDI+
// (GdiplusStartup) and the last one to go shuts it down, so GDI+ runs only
// while something draws, measures or decodes with it, and never starts inside
// DllMain. Every GDI+ user (renderer, font handle, codec call) holds one.
#pragma once

namespace Orvalite::GUI::Graphics
{
class CGdiPlusSession
{
public:
    CGdiPlusSession();
    CGdiPlusSession(const CGdiPlusSession &) = delete;
    CGdiPlusSession &operator=(const CGdiPlusSession &) = delete;
    ~CGdiPlusSession();

    // False when GDI+ could not be started; nothing may then call it.
    bool isRunning() const { return m_running; }

    // Running sessions; GDI+ is started exactly while this is above zero.
    static long getUserCount();

private:
    bool m_running = false;
};
} // namespace Orvalite::GUI::Graphics
