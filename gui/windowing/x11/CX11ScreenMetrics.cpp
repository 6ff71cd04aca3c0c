#include "gui/windowing/x11/CX11ScreenMetrics.h"

#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace Orvalite::GUI::Windowing
{
namespace
{
std::atomic<long> s_monitors{0};
std::atomic<long> s_width{0};
std::atomic<long> s_height{0};
} // namespace

void CX11ScreenMetrics::update(Display *display)
{
    const Host::SDisplayMetrics metrics = read(display);
    s_monitors.store(metrics.numberOfMonitors);
    s_width.store(metrics.screenWidth);
    s_height.store(metrics.screenHeight);
    Host::CDisplayMetrics::setProvider(&CX11ScreenMetrics::provide);
}

Host::SDisplayMetrics CX11ScreenMetrics::read(Display *display)
{
    const int screen = DefaultScreen(display);
    Host::SDisplayMetrics metrics{1, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    // Monitors arrived with RandR 1.5.
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 5))
    {
        return metrics;
    }
    int count = 0;
    XRRMonitorInfo *monitors = XRRGetMonitors(display, RootWindow(display, screen), True, &count);
    if (monitors && count > 0)
    {
        const XRRMonitorInfo *chosen = &monitors[0];
        for (int i = 0; i < count; ++i)
        {
            chosen = monitors[i].primary ? &monitors[i] : chosen;
        }
        metrics = {count, chosen->width, chosen->height};
    }
    if (monitors)
    {
        XRRFreeMonitors(monitors);
    }
    return metrics;
}

long CX11ScreenMetrics::readDotsPerInch(Display *display)
{
    // The resources xrdb loaded into the server, as they were when the connection opened.
    const char *resources = XResourceManagerString(display);
    if (!resources)
    {
        return 0;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char *type = nullptr;
    XrmValue value{};
    long dotsPerInch = 0;
    if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
    {
        dotsPerInch = std::lround(std::strtod(value.addr, nullptr));
    }
    if (database)
    {
        XrmDestroyDatabase(database);
    }
    return std::max(dotsPerInch, 0L);
}

Host::SDisplayMetrics CX11ScreenMetrics::provide()
{
    return {s_monitors.load(), s_width.load(), s_height.load()};
}
} // namespace Orvalite::GUI::Windowing
