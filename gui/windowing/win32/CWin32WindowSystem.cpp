#include "gui/windowing/win32/CWin32WindowSystem.h"

#include "foundation/basics/CException.h"
#include "foundation/basics/win32/CWideText.h"
#include "foundation/host/CDisplayMetrics.h"
#include "foundation/io/TraceLog.h"
#include "gui/basics/win32/CWin32ResourceLedger.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <vector>

namespace Orvalite::GUI::Windowing
{
using Basics::CWin32ResourceLedger;
using ::Orvalite::Basics::Win32::CWideText;

namespace
{
using TSetLayeredWindowAttributes = BOOL(WINAPI *)(HWND, COLORREF, BYTE, DWORD);

constexpr int CURSOR_KINDS = 8;
// DragQueryFileW counts characters without the terminator.
constexpr UINT TERMINATOR = 1;

// A COLORREF (0x00BBGGRR) as an opaque pixel of the back buffer (0xAARRGGBB).
uint32_t pixelOf(uint32_t colorRef)
{
    return 0xFF000000 | ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

HWND windowOf(Basics::NativeWindowHandle handle)
{
    return reinterpret_cast<HWND>(handle);
}

Basics::NativeWindowHandle handleOf(HWND window)
{
    return reinterpret_cast<Basics::NativeWindowHandle>(window);
}

// The seam's cursor kinds 0 … 7: arrow, hand, wait, north-south, west-east, text beam, diagonal, move.
HCURSOR cursorOf(int kind)
{
    static const LPCWSTR SHAPES[CURSOR_KINDS] = {
        MAKEINTRESOURCEW(32512), MAKEINTRESOURCEW(32649), MAKEINTRESOURCEW(32514), MAKEINTRESOURCEW(32645),
        MAKEINTRESOURCEW(32644), MAKEINTRESOURCEW(32513), MAKEINTRESOURCEW(32642), MAKEINTRESOURCEW(32646)};
    return LoadCursorW(nullptr, SHAPES[kind >= 0 && kind < CURSOR_KINDS ? kind : 0]);
}

// Windows 2000 and later have it; looked up so that the module loads without it.
TSetLayeredWindowAttributes setLayeredWindowAttributes()
{
    static const auto function = reinterpret_cast<TSetLayeredWindowAttributes>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
    return function;
}

std::string errorText(DWORD error)
{
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 256, nullptr);
    std::string result = CWideText::toUtf8(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    {
        result.pop_back();
    }
    return result.empty() ? "error " + std::to_string(error) : result;
}

bool isHeld(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// The key flags of a mouse message's wParam, as held now.
WORD mouseKeyFlags()
{
    return static_cast<WORD>((isHeld(VK_LBUTTON) ? MK_LBUTTON : 0) | (isHeld(VK_RBUTTON) ? MK_RBUTTON : 0) |
                             (isHeld(VK_SHIFT) ? MK_SHIFT : 0) | (isHeld(VK_CONTROL) ? MK_CONTROL : 0) |
                             (isHeld(VK_MBUTTON) ? MK_MBUTTON : 0));
}

Host::SDisplayMetrics screenMetrics()
{
    return {GetSystemMetrics(SM_CMONITORS), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Runs a call into the toolkit; nothing it throws may cross a window procedure.
template <class TCall> void guarded(const char *what, TCall &&call)
{
    try
    {
        call();
    }
    catch (const Exceptions::CException &exception)
    {
        IO::traceMessage("Win32: %s threw \"%s\" in %s", what, exception.getErrorReason().getString(),
                         exception.getFunctionName().getString());
    }
    catch (const std::exception &exception)
    {
        IO::traceMessage("Win32: %s threw \"%s\"", what, exception.what());
    }
    catch (...)
    {
        IO::traceMessage("Win32: %s threw an unknown exception", what);
    }
}
} // namespace

CWin32WindowSystem::CWin32WindowSystem()
{
    Host::CDisplayMetrics::setProvider(&screenMetrics);
}

CWin32WindowSystem::~CWin32WindowSystem()
{
    while (!m_windows.empty())
    {
        const HWND window = windowOf(m_windows.begin()->first);
        // A window that cannot be destroyed (another thread's) is forgotten all the same.
        if (!DestroyWindow(window))
        {
            forgetWindow(window);
        }
    }
    Host::CDisplayMetrics::setProvider(nullptr);
}

bool CWin32WindowSystem::registerClass(const std::string &className, bool dropShadow, const Graphics::CWindowIcon *)
{
    return m_classes.add(className, dropShadow);
}

Basics::NativeWindowHandle CWin32WindowSystem::createWindow(const SNativeWindowSpec &spec, INativeMessageTarget *target,
                                                            std::string &errorOut)
{
    if (!m_classes.contains(spec.className))
    {
        errorOut = "the window class \"" + spec.className + "\" is not registered";
        return 0;
    }
    auto record = std::make_unique<SWin32Window>();
    record->system = this;
    record->target = target;
    record->background = pixelOf(spec.backgroundColour);
    record->popUp = (spec.style & WS_POPUP) != 0;
    const long width = std::max(1L, spec.area.getWidth());
    const long height = std::max(1L, spec.area.getHeight());
    if (!record->surface.resize(width, height, record->background))
    {
        errorOut = "cannot make a back buffer of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
        return 0;
    }
    const HWND window = CreateWindowExW(spec.extendedStyle, CWideText::fromUtf8(spec.className.c_str()).c_str(),
                                        CWideText::fromUtf8(spec.title.c_str()).c_str(), spec.style,
                                        static_cast<int>(spec.area.getLeft()), static_cast<int>(spec.area.getTop()),
                                        static_cast<int>(width), static_cast<int>(height), windowOf(spec.parent),
                                        nullptr, m_classes.getInstance(), record.get());
    if (!window)
    {
        errorOut = "cannot create the window: " + errorText(GetLastError());
        return 0;
    }
    CWin32ResourceLedger::created(CWin32ResourceLedger::e_window);
    record->created = true;
    m_windows.emplace(handleOf(window), std::move(record));
    if (!m_wheelHook.isInstalled())
    {
        m_wheelHook.install([this](const MOUSEHOOKSTRUCTEX &hook) { return forwardWheel(hook); });
    }
    // A layered window shows nothing until its opacity is set.
    if (spec.extendedStyle & WS_EX_LAYERED)
    {
        setOpacity(handleOf(window), 0xFF);
    }
    return handleOf(window);
}

void CWin32WindowSystem::destroyWindow(Basics::NativeWindowHandle handle)
{
    if (find(handle) && !DestroyWindow(windowOf(handle)))
    {
        forgetWindow(windowOf(handle));
    }
}

void CWin32WindowSystem::forgetWindow(HWND window)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    const auto found = m_windows.find(handleOf(window));
    if (found == m_windows.end())
    {
        return;
    }
    std::unique_ptr<SWin32Window> record = std::move(found->second);
    m_windows.erase(found);
    for (const long id : record->timers)
    {
        KillTimer(window, static_cast<UINT_PTR>(id));
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_timer);
    }
    if (record->paintState == SWin32Window::e_painting)
    {
        EndPaint(window, &record->paint);
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_deviceContext);
    }
    CWin32ResourceLedger::released(CWin32ResourceLedger::e_window);
    record.reset();
    if (m_windows.empty())
    {
        m_wheelHook.remove();
    }
}

SWin32Window *CWin32WindowSystem::find(Basics::NativeWindowHandle handle) const
{
    const auto found = m_windows.find(handle);
    return found == m_windows.end() ? nullptr : found->second.get();
}

void CWin32WindowSystem::showWindow(Basics::NativeWindowHandle handle, bool show)
{
    if (!find(handle))
    {
        return;
    }
    // A window that must not be activated (a menu) is shown without taking the activation.
    const bool noActivate = (GetWindowLongW(windowOf(handle), GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
    ShowWindow(windowOf(handle), !show ? SW_HIDE : noActivate ? SW_SHOWNA : SW_SHOW);
}

void CWin32WindowSystem::enableWindow(Basics::NativeWindowHandle handle, bool enable)
{
    if (find(handle))
    {
        EnableWindow(windowOf(handle), enable);
    }
}

void CWin32WindowSystem::setWindowArea(Basics::NativeWindowHandle handle, const MathTools::CRect &area)
{
    // The move and size messages come before MoveWindow returns.
    if (find(handle))
    {
        MoveWindow(windowOf(handle), static_cast<int>(area.getLeft()), static_cast<int>(area.getTop()),
                   static_cast<int>(std::max(1L, area.getWidth())), static_cast<int>(std::max(1L, area.getHeight())),
                   TRUE);
    }
}

MathTools::CRect CWin32WindowSystem::getScreenArea(Basics::NativeWindowHandle handle)
{
    RECT client{};
    POINT origin{0, 0};
    if (!find(handle) || !GetClientRect(windowOf(handle), &client) || !ClientToScreen(windowOf(handle), &origin))
    {
        return MathTools::CRect();
    }
    return MathTools::CRect(origin.x, origin.y, client.right, client.bottom);
}

void CWin32WindowSystem::bringToFront(Basics::NativeWindowHandle handle)
{
    if (find(handle))
    {
        SetWindowPos(windowOf(handle), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

bool CWin32WindowSystem::setOpacity(Basics::NativeWindowHandle handle, uint8_t alpha)
{
    const TSetLayeredWindowAttributes function = setLayeredWindowAttributes();
    const bool layered = find(handle) && (GetWindowLongW(windowOf(handle), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    return layered && function && function(windowOf(handle), 0, alpha, LWA_ALPHA);
}

void CWin32WindowSystem::invalidate(Basics::NativeWindowHandle handle, const Graphics::SPixelBox *area)
{
    if (!find(handle))
    {
        return;
    }
    if (!area)
    {
        InvalidateRect(windowOf(handle), nullptr, FALSE);
        return;
    }
    const RECT box{static_cast<LONG>(area->left), static_cast<LONG>(area->top), static_cast<LONG>(area->right),
                   static_cast<LONG>(area->bottom)};
    InvalidateRect(windowOf(handle), &box, FALSE);
}

void CWin32WindowSystem::updateWindow(Basics::NativeWindowHandle handle)
{
    if (find(handle))
    {
        UpdateWindow(windowOf(handle));
    }
}

Graphics::CDeviceContext *CWin32WindowSystem::beginPaint(Basics::NativeWindowHandle handle,
                                                         Graphics::SPixelBox &updateOut)
{
    updateOut = {};
    SWin32Window *window = find(handle);
    if (!window || window->paintState == SWin32Window::e_painting || !BeginPaint(window->window, &window->paint))
    {
        return nullptr;
    }
    CWin32ResourceLedger::created(CWin32ResourceLedger::e_deviceContext);
    window->paintState = SWin32Window::e_painting;
    const RECT &damaged = window->paint.rcPaint;
    const Graphics::SPixelBox box =
        Graphics::SPixelBox{damaged.left, damaged.top, damaged.right, damaged.bottom}.intersectedWith(
            window->surface.getBox());
    updateOut = box.isEmpty() ? Graphics::SPixelBox{} : box;
    return &window->surface.getContext();
}

void CWin32WindowSystem::endPaint(Basics::NativeWindowHandle handle)
{
    SWin32Window *window = find(handle);
    if (!window || window->paintState != SWin32Window::e_painting)
    {
        return;
    }
    const RECT &damaged = window->paint.rcPaint;
    window->surface.copyTo(window->paint.hdc, {damaged.left, damaged.top, damaged.right, damaged.bottom});
    EndPaint(window->window, &window->paint);
    CWin32ResourceLedger::released(CWin32ResourceLedger::e_deviceContext);
    window->paintState = SWin32Window::e_notPainting;
}

bool CWin32WindowSystem::startTimer(Basics::NativeWindowHandle handle, long id, long milliseconds)
{
    SWin32Window *window = find(handle);
    if (!window || !SetTimer(window->window, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr))
    {
        return false;
    }
    // Setting a running timer again restarts it.
    if (window->timers.insert(id).second)
    {
        CWin32ResourceLedger::created(CWin32ResourceLedger::e_timer);
    }
    return true;
}

void CWin32WindowSystem::stopTimer(Basics::NativeWindowHandle handle, long id)
{
    SWin32Window *window = find(handle);
    if (window && window->timers.erase(id) != 0)
    {
        KillTimer(window->window, static_cast<UINT_PTR>(id));
        CWin32ResourceLedger::released(CWin32ResourceLedger::e_timer);
    }
}

void CWin32WindowSystem::captureMouse(Basics::NativeWindowHandle handle)
{
    // Windows tells the window losing the capture, with the new holder in lParam.
    if (find(handle))
    {
        SetCapture(windowOf(handle));
    }
}

void CWin32WindowSystem::releaseMouse()
{
    // Only our own capture: the host's is not ours to end.
    if (find(handleOf(GetCapture())))
    {
        ReleaseCapture();
    }
}

Basics::NativeWindowHandle CWin32WindowSystem::getCapture()
{
    return handleOf(GetCapture());
}

void CWin32WindowSystem::setCursor(Basics::NativeWindowHandle handle, int kind)
{
    SWin32Window *window = find(handle);
    if (!window)
    {
        return;
    }
    window->cursor = kind;
    POINT pointer{};
    if (GetCursorPos(&pointer) && WindowFromPoint(pointer) == window->window)
    {
        SetCursor(cursorOf(kind));
    }
}

MathTools::CPoint CWin32WindowSystem::getCursorPosition()
{
    POINT pointer{};
    GetCursorPos(&pointer);
    return MathTools::CPoint(pointer.x, pointer.y);
}

SModifierState CWin32WindowSystem::getModifierState()
{
    SModifierState state;
    state.ctrl = isHeld(VK_CONTROL);
    state.shift = isHeld(VK_SHIFT);
    state.alt = isHeld(VK_MENU);
    return state;
}

bool CWin32WindowSystem::getDroppedFiles(uintptr_t drop, MathTools::CPoint &pointOut,
                                         std::vector<std::string> &filesOut)
{
    const auto handle = reinterpret_cast<HDROP>(drop);
    const UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
    POINT point{};
    if (count == 0)
    {
        return false;
    }
    DragQueryPoint(handle, &point);
    pointOut.setPoint(point.x, point.y);
    filesOut.clear();
    for (UINT index = 0; index < count; ++index)
    {
        std::wstring path(DragQueryFileW(handle, index, nullptr, 0) + TERMINATOR, L'\0');
        DragQueryFileW(handle, index, path.data(), static_cast<UINT>(path.size()));
        filesOut.push_back(CWideText::toUtf8(path.c_str()));
    }
    return true;
}

void CWin32WindowSystem::releaseDrop(uintptr_t drop)
{
    DragFinish(reinterpret_cast<HDROP>(drop));
}

Basics::NativeWindowHandle CWin32WindowSystem::takeKeyboardFocus(Basics::NativeWindowHandle handle)
{
    if (!find(handle))
    {
        return 0;
    }
    const HWND previous = GetFocus();
    SetFocus(windowOf(handle));
    return handleOf(previous);
}

void CWin32WindowSystem::restoreKeyboardFocus(Basics::NativeWindowHandle handle, Basics::NativeWindowHandle previous)
{
    // Someone who took the focus since (the user, the host) keeps it.
    if (handle != 0 && GetFocus() == windowOf(handle))
    {
        SetFocus(windowOf(previous));
    }
}

void CWin32WindowSystem::beep()
{
    MessageBeep(MB_OK);
}

long CWin32WindowSystem::getDotsPerInch()
{
    // The system DPI (what GetDpiForSystem answers on Windows 10), through GDI so older systems answer too.
    HDC screen = GetDC(nullptr);
    const long dotsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
    {
        ReleaseDC(nullptr, screen);
    }
    return dotsPerInch > 0 ? dotsPerInch : DEFAULT_DOTS_PER_INCH;
}

void CWin32WindowSystem::pump()
{
    std::vector<Basics::NativeWindowHandle> handles;
    for (const auto &[handle, window] : m_windows)
    {
        handles.push_back(handle);
    }
    for (const Basics::NativeWindowHandle handle : handles)
    {
        MSG message{};
        while (find(handle) && PeekMessageW(&message, windowOf(handle), 0, 0, PM_REMOVE))
        {
            // The host's loop owns the quit message: it goes back for the host to see.
            if (message.message == WM_QUIT)
            {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

LRESULT CALLBACK CWin32WindowSystem::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto *record = static_cast<SWin32Window *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        record->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }
    auto *record = reinterpret_cast<SWin32Window *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return record ? record->system->handleMessage(*record, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CWin32WindowSystem::handleMessage(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND handle = window.window;
    switch (message)
    {
    case WM_NCDESTROY:
        forgetWindow(handle);
        break;
    case WM_SIZE:
        if (LOWORD(lParam) > 0 && HIWORD(lParam) > 0 &&
            (LOWORD(lParam) != window.surface.getWidth() || HIWORD(lParam) != window.surface.getHeight()))
        {
            // A new back buffer holds only the background: all of it is painted again.
            window.surface.resize(LOWORD(lParam), HIWORD(lParam), window.background);
            InvalidateRect(handle, nullptr, FALSE);
        }
        return deliver(window, message, wParam, lParam);
    case WM_PAINT:
        return paint(window);
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT)
        {
            break;
        }
        SetCursor(cursorOf(window.cursor));
        return TRUE;
    case WM_TIMER:
        // A timer stopped after it fell due may still have its message queued.
        if (window.created && window.timers.count(static_cast<long>(wParam)) != 0)
        {
            INativeMessageTarget *target = window.target;
            guarded("a timer", [&] { target->handleNativeTimer(static_cast<long>(wParam)); });
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
        return handleKey(window, message, wParam, lParam);
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        TrackMouseEvent(&track);
        return deliver(window, message, wParam, lParam);
    }
    case WM_MOUSELEAVE: {
        // The toolkit's leave message carries where the pointer went, in client coordinates.
        POINT pointer{};
        GetCursorPos(&pointer);
        ScreenToClient(handle, &pointer);
        return deliver(window, message, 0, MAKELPARAM(pointer.x, pointer.y));
    }
    case WM_DESTROY:
    case WM_MOVE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CLOSE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_CAPTURECHANGED:
    case WM_DROPFILES:
        return deliver(window, message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

LRESULT CWin32WindowSystem::handleKey(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND handle = window.window;
    SWin32Window *taker = keyTaker();
    SWin32Window &receiver = taker ? *taker : window;
    if (message == WM_CHAR)
    {
        const uint32_t codePoint = m_keys.codePointOf(wParam);
        return codePoint != 0 ? deliver(receiver, WM_CHAR, codePoint, 0) : 0;
    }
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const LRESULT unused =
        deliver(receiver, down ? WM_KEYDOWN : WM_KEYUP, wParam, CWin32KeyTranslator::characterOf(wParam, lParam));
    // A key the toolkit leaves (alt+F4 in a top-level window) gets Windows' own handling.
    return unused != 0 ? DefWindowProcW(handle, message, wParam, lParam) : 0;
}

LRESULT CWin32WindowSystem::paint(SWin32Window &window)
{
    const HWND handle = window.window;
    window.paintState = SWin32Window::e_paintAwaited;
    deliver(window, WM_PAINT, 0, 0);
    // The target may have destroyed the window; one that did not paint is still validated, or it would paint forever.
    SWin32Window *after = find(handleOf(handle));
    if (after && after->paintState == SWin32Window::e_paintAwaited)
    {
        ValidateRect(handle, nullptr);
    }
    else if (after && after->paintState == SWin32Window::e_painting)
    {
        endPaint(handleOf(handle));
    }
    if (after)
    {
        after->paintState = SWin32Window::e_notPainting;
    }
    return 0;
}

LRESULT CWin32WindowSystem::deliver(SWin32Window &window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window.created)
    {
        return 0;
    }
    INativeMessageTarget *target = window.target;
    const Basics::NativeWindowHandle handle = handleOf(window.window);
    LRESULT result = 0;
    guarded("a window message", [&] { result = target->handleNativeMessage(handle, message, wParam, lParam); });
    return result;
}

SWin32Window *CWin32WindowSystem::keyTaker() const
{
    SWin32Window *capture = find(handleOf(GetCapture()));
    return capture && capture->popUp ? capture : nullptr;
}

bool CWin32WindowSystem::forwardWheel(const MOUSEHOOKSTRUCTEX &hook)
{
    const HWND under = WindowFromPoint(hook.pt);
    SWin32Window *window = find(handleOf(under));
    if (!window || under == hook.hwnd)
    {
        return false;
    }
    deliver(*window, WM_MOUSEWHEEL, MAKEWPARAM(mouseKeyFlags(), HIWORD(hook.mouseData)),
            MAKELPARAM(hook.pt.x, hook.pt.y));
    return true;
}
} // namespace Orvalite::GUI::Windowing
