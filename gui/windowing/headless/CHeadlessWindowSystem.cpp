#include "gui/windowing/headless/CHeadlessWindowSystem.h"

#include "gui/windowing/WindowMessage.h"

#include <algorithm>
#include <utility>

namespace Orvalite::GUI::Windowing
{
using Basics::NativeWindowHandle;
using Graphics::SPixelBox;

namespace
{
SPixelBox wholeOf(const Graphics::CBitmap &screen)
{
    return {0, 0, screen.getWidth(), screen.getHeight()};
}

// The smallest box holding both; an empty box adds nothing.
SPixelBox unionOf(const SPixelBox &first, const SPixelBox &second)
{
    if (first.isEmpty())
    {
        return second;
    }
    if (second.isEmpty())
    {
        return first;
    }
    return {std::min(first.left, second.left), std::min(first.top, second.top), std::max(first.right, second.right),
            std::max(first.bottom, second.bottom)};
}
} // namespace

bool CHeadlessWindowSystem::registerClass(const std::string &className, bool, const Graphics::CWindowIcon *)
{
    m_classes.insert(className);
    return true;
}

NativeWindowHandle CHeadlessWindowSystem::createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                                       std::string &errorOut)
{
    if (!m_refusal.empty() || !m_classes.count(spec.className))
    {
        errorOut = m_refusal.empty() ? "The window class is not registered" : m_refusal;
        return 0;
    }
    auto window = std::make_unique<SWindow>();
    window->spec = spec;
    window->target = target;
    window->screen.create(spec.area.getWidth(), spec.area.getHeight());
    const NativeWindowHandle handle = m_nextHandle++;
    m_windows[handle] = std::move(window);
    return handle;
}

void CHeadlessWindowSystem::destroyWindow(NativeWindowHandle handle)
{
    if (!find(handle))
    {
        return;
    }
    std::vector<NativeWindowHandle> children;
    for (const auto &[childHandle, child] : m_windows)
    {
        if (child->spec.parent == handle)
        {
            children.push_back(childHandle);
        }
    }
    for (NativeWindowHandle child : children)
    {
        destroyWindow(child);
    }
    if (m_capture == handle)
    {
        m_capture = 0;
    }
    if (m_keyboardFocus == handle)
    {
        m_keyboardFocus = 0;
    }
    // Taken out first, so that the target may ask about (or destroy) it again without harm.
    const std::unique_ptr<SWindow> window = std::move(m_windows[handle]);
    m_windows.erase(handle);
    window->target->handleNativeMessage(handle, e_destroy, 0, 0);
}

void CHeadlessWindowSystem::showWindow(NativeWindowHandle handle, bool show)
{
    if (SWindow *window = find(handle))
    {
        window->visible = show;
        // Coming into view exposes the whole window.
        window->damage = show ? wholeOf(window->screen) : SPixelBox();
    }
}

void CHeadlessWindowSystem::enableWindow(NativeWindowHandle handle, bool enable)
{
    if (SWindow *window = find(handle))
    {
        window->enabled = enable;
    }
}

void CHeadlessWindowSystem::setWindowArea(NativeWindowHandle handle, const MathTools::CRect &area)
{
    SWindow *window = find(handle);
    if (!window)
    {
        return;
    }
    const bool resized =
        area.getWidth() != window->spec.area.getWidth() || area.getHeight() != window->spec.area.getHeight();
    window->spec.area = area;
    if (resized)
    {
        window->screen.create(area.getWidth(), area.getHeight());
        window->damage = wholeOf(window->screen);
    }
}

MathTools::CRect CHeadlessWindowSystem::getScreenArea(NativeWindowHandle handle)
{
    const SWindow *window = find(handle);
    if (!window)
    {
        return {};
    }
    MathTools::CRect area = window->spec.area;
    const MathTools::CRect parentArea = getScreenArea(window->spec.parent);
    area.offset(MathTools::CPoint(parentArea.getLeft(), parentArea.getTop()));
    return area;
}

bool CHeadlessWindowSystem::setOpacity(NativeWindowHandle handle, uint8_t alpha)
{
    SWindow *window = find(handle);
    if (window)
    {
        window->opacity = alpha;
    }
    return window != nullptr;
}

void CHeadlessWindowSystem::invalidate(NativeWindowHandle handle, const SPixelBox *area)
{
    if (SWindow *window = find(handle))
    {
        const SPixelBox whole = wholeOf(window->screen);
        window->damage = unionOf(window->damage, area ? area->intersectedWith(whole) : whole);
    }
}

void CHeadlessWindowSystem::updateWindow(NativeWindowHandle handle)
{
    const SWindow *window = find(handle);
    if (window && !window->damage.isEmpty())
    {
        send(handle, e_paint, 0, 0);
    }
}

Graphics::CDeviceContext *CHeadlessWindowSystem::beginPaint(NativeWindowHandle handle, SPixelBox &updateOut)
{
    SWindow *window = find(handle);
    if (!window)
    {
        return nullptr;
    }
    updateOut = window->damage;
    window->damage = {};
    m_paintContext = Graphics::CDeviceContext(&window->screen);
    m_paintContext.setClipBox(updateOut);
    return &m_paintContext;
}

bool CHeadlessWindowSystem::startTimer(NativeWindowHandle handle, long id, long milliseconds)
{
    SWindow *window = find(handle);
    if (window)
    {
        const long period = std::max(milliseconds, 1L);
        window->timers[id] = STimer{period, m_now + period};
    }
    return window != nullptr;
}

void CHeadlessWindowSystem::stopTimer(NativeWindowHandle handle, long id)
{
    if (SWindow *window = find(handle))
    {
        window->timers.erase(id);
    }
}

void CHeadlessWindowSystem::setCursor(NativeWindowHandle handle, int kind)
{
    if (SWindow *window = find(handle))
    {
        window->cursor = kind;
    }
}

void CHeadlessWindowSystem::restoreKeyboardFocus(NativeWindowHandle handle, NativeWindowHandle previous)
{
    if (m_keyboardFocus == handle)
    {
        m_keyboardFocus = previous;
    }
}

bool CHeadlessWindowSystem::getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut,
                                            std::vector<std::string> &filesOut)
{
    const auto found = m_drops.find(drop);
    if (found == m_drops.end())
    {
        return false;
    }
    pointOut = found->second.point;
    filesOut = found->second.files;
    return true;
}

void CHeadlessWindowSystem::pump()
{
    runDueTimers();
    std::vector<NativeWindowHandle> damaged;
    for (const auto &[handle, window] : m_windows)
    {
        if (!window->damage.isEmpty())
        {
            damaged.push_back(handle);
        }
    }
    for (NativeWindowHandle handle : damaged)
    {
        updateWindow(handle);
    }
}

intptr_t CHeadlessWindowSystem::send(NativeWindowHandle handle, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    SWindow *window = find(handle);
    return window ? window->target->handleNativeMessage(handle, message, wParam, lParam) : 0;
}

void CHeadlessWindowSystem::advanceClock(long milliseconds)
{
    m_now += milliseconds;
    pump();
}

void CHeadlessWindowSystem::setCapture(NativeWindowHandle handle)
{
    const NativeWindowHandle previous = std::exchange(m_capture, handle);
    if (previous != handle)
    {
        send(previous, e_captureChanged, 0, static_cast<intptr_t>(handle));
    }
}

intptr_t CHeadlessWindowSystem::dropFiles(NativeWindowHandle handle, const MathTools::CPoint &point,
                                          const std::vector<std::string> &files)
{
    const uintptr_t drop = m_nextDrop++;
    m_drops[drop] = SDrop{point, files};
    return send(handle, e_dropFiles, drop, 0);
}

const CHeadlessWindowSystem::SWindow *CHeadlessWindowSystem::findWindow(NativeWindowHandle handle) const
{
    const auto found = m_windows.find(handle);
    return found == m_windows.end() ? nullptr : found->second.get();
}

CHeadlessWindowSystem::SWindow *CHeadlessWindowSystem::find(NativeWindowHandle handle)
{
    const auto found = m_windows.find(handle);
    return found == m_windows.end() ? nullptr : found->second.get();
}

void CHeadlessWindowSystem::runDueTimers()
{
    // Collected first: a timer's target may start, stop or destroy anything.
    std::vector<std::pair<NativeWindowHandle, long>> due;
    for (const auto &[handle, window] : m_windows)
    {
        for (const auto &[id, timer] : window->timers)
        {
            if (timer.due <= m_now)
            {
                due.emplace_back(handle, id);
            }
        }
    }
    for (const auto &[handle, id] : due)
    {
        SWindow *window = find(handle);
        if (!window || !window->timers.count(id))
        {
            continue;
        }
        STimer &timer = window->timers[id];
        timer.due = m_now + timer.period;
        window->target->handleNativeTimer(id);
    }
}
} // namespace Orvalite::GUI::Windowing
