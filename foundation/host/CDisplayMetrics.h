// The number of monitors and the primary screen's size, for the display
// report. The foundation knows no display server: the windowing layer installs
// a provider once it can ask one; until then there are no monitors.
#pragma once

namespace Orvalite::Host
{
struct SDisplayMetrics
{
    long numberOfMonitors = 0;
    // Pixels.
    long screenWidth = 0;
    long screenHeight = 0;
};

class CDisplayMetrics
{
public:
    using TProvider = SDisplayMetrics (*)();

    // A null provider restores "no display". Safe from any thread.
    static void setProvider(TProvider provider);
    static SDisplayMetrics getMetrics();
};
} // namespace Orvalite::Host
