#include "gui/graphics/gdiplus/CGdiPlusSession.h"

#include "gui/graphics/gdiplus/GdiPlusApi.h"

#include <mutex>

namespace Orvalite::GUI::Graphics
{
namespace
{
// Images may be decoded off the user-interface thread, so the count is guarded.
std::mutex s_lock;
long s_users = 0;
ULONG_PTR s_token = 0;
} // namespace

CGdiPlusSession::CGdiPlusSession()
{
    const std::lock_guard<std::mutex> guard(s_lock);
    if (s_users == 0)
    {
        const Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&s_token, &input, nullptr) != Gdiplus::Ok)
        {
            return;
        }
    }
    ++s_users;
    m_running = true;
}

CGdiPlusSession::~CGdiPlusSession()
{
    const std::lock_guard<std::mutex> guard(s_lock);
    if (m_running && --s_users == 0)
    {
        Gdiplus::GdiplusShutdown(s_token);
    }
}

long CGdiPlusSession::getUserCount()
{
    const std::lock_guard<std::mutex> guard(s_lock);
    return s_users;
}
} // namespace Orvalite::GUI::Graphics
