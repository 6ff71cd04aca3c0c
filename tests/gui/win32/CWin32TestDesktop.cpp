#include "tests/gui/win32/CWin32TestDesktop.h"

#include "tests/support/win32/CExceptionWatch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>

namespace Orvalite::Testing
{
using GUI::Basics::CWin32ResourceLedger;

namespace
{
// Fails the running test on a fault, which Wine would swallow inside a window procedure.
const Zelo::Testing::CExceptionWatch s_exceptions;

void send(INPUT input)
{
    SendInput(1, &input, sizeof(INPUT));
}

INPUT mouseInput(DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

CWin32TestDesktop::TCounts CWin32TestDesktop::countResources()
{
    TCounts counts{};
    for (int kind = 0; kind < CWin32ResourceLedger::NUMBER_OF_KINDS; ++kind)
    {
        counts[kind] = CWin32ResourceLedger::count(static_cast<CWin32ResourceLedger::EKind>(kind));
    }
    return counts;
}

std::string CWin32TestDesktop::changedResources(const TCounts &before)
{
    const TCounts now = countResources();
    std::string changed;
    for (int kind = 0; kind < CWin32ResourceLedger::NUMBER_OF_KINDS; ++kind)
    {
        if (now[kind] != before[kind])
        {
            changed += std::string(CWin32ResourceLedger::nameOf(static_cast<CWin32ResourceLedger::EKind>(kind))) +
                       ": " + std::to_string(before[kind]) + " -> " + std::to_string(now[kind]) + "; ";
        }
    }
    return changed;
}

bool CWin32TestDesktop::pumpUntil(GUI::Windowing::INativeWindowSystem &system, const std::function<bool()> &done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            return false;
        }
        system.pump();
        // The test's own windows (a host's stand-in) need their messages too.
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void CWin32TestDesktop::settle(GUI::Windowing::INativeWindowSystem &system)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    pumpUntil(system, [&] { return std::chrono::steady_clock::now() > end; });
}

void CWin32TestDesktop::moveTo(int x, int y)
{
    SetCursorPos(x, y);
    send(mouseInput(MOUSEEVENTF_MOVE));
}

void CWin32TestDesktop::button(bool left, bool press)
{
    send(mouseInput(left ? (press ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                         : (press ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)));
}

void CWin32TestDesktop::click(bool left)
{
    button(left, true);
    button(left, false);
}

void CWin32TestDesktop::wheel(int delta)
{
    send(mouseInput(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta)));
}

void CWin32TestDesktop::key(WORD virtualKey, bool press)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = press ? 0 : KEYEVENTF_KEYUP;
    send(input);
}

void CWin32TestDesktop::tap(WORD virtualKey)
{
    key(virtualKey, true);
    key(virtualKey, false);
}

void CWin32TestDesktop::typeUnit(wchar_t unit)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    send(input);
    input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    send(input);
}

std::vector<uint32_t> CWin32TestDesktop::screenshot(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC windowContext = GetDC(window);
    HDC memoryContext = CreateCompatibleDC(windowContext);
    HBITMAP section = CreateDIBSection(memoryContext, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memoryContext, section);
    BitBlt(memoryContext, 0, 0, width, height, windowContext, 0, 0, SRCCOPY);
    GdiFlush();
    const auto *pixels = static_cast<const uint32_t *>(bits);
    std::vector<uint32_t> result;
    for (int index = 0; pixels && index < width * height; ++index)
    {
        result.push_back(pixels[index] & 0xFFFFFF);
    }
    SelectObject(memoryContext, previous);
    DeleteObject(section);
    DeleteDC(memoryContext);
    ReleaseDC(window, windowContext);
    return result;
}

HWND CWin32TestDesktop::host()
{
    static const HWND window = createHostWindow(100, 100, 400, 300, true);
    return window;
}

HWND CWin32TestDesktop::createHostWindow(int x, int y, int width, int height, bool activate)
{
    WNDCLASSW hostClass{};
    hostClass.lpfnWndProc = &hostProcedure;
    hostClass.hInstance = GetModuleHandleW(nullptr);
    hostClass.lpszClassName = L"ZeloTestHost";
    RegisterClassW(&hostClass);
    HWND window = CreateWindowExW(activate ? 0 : WS_EX_NOACTIVATE, L"ZeloTestHost", L"Host",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (activate)
    {
        SetForegroundWindow(window);
    }
    return window;
}
} // namespace Orvalite::Testing
