// The built Zelo.dll's editor in a Windows host's own top-level window, under
// Wine and a virtual X server: effEditOpen on the host's HWND, the host's
// message loop delivering, the mouse moved with SendInput and the screen read
// back with BitBlt from the screen's device context.
#include <gtest/gtest.h>

#include "editor/VeltrixEditorLayout.h"
#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"
#include "tests/editor/PanelComparison.h"
#include "tests/gui/win32/CWin32TestDesktop.h"
#include "tests/plugin/ZeloPlugin.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace Zelo::Testing
{
namespace
{
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::Veltrix::PANEL_HEIGHT;
using Orvalite::Veltrix::PANEL_WIDTH;
// Its first-chance handler fails a test on any fault, which Wine would swallow in a window procedure.
using Desktop = Orvalite::Testing::CWin32TestDesktop;

// Where the host's window's client area sits on the screen.
constexpr int PARENT_X = 40;
constexpr int PARENT_Y = 30;
// The Delay One knob's centre and its read-out, in the panel.
constexpr int DELAY_KNOB_X = 22;
constexpr int DELAY_KNOB_Y = 217;
constexpr int DELAY_READOUT_X = 50;
constexpr int DELAY_READOUT_Y = 207;
constexpr int ABOUT_BUTTON_X = 383;
constexpr int ABOUT_BUTTON_Y = 16;

// This thread's windows: the visible top-level ones other than `except`, and how many there are, children included.
struct SWindowSearch
{
    explicit SWindowSearch(HWND exceptWindow) : except(exceptWindow)
    {
        EnumThreadWindows(GetCurrentThreadId(), &noteTopLevel, reinterpret_cast<LPARAM>(this));
    }
    static BOOL CALLBACK countChild(HWND, LPARAM data)
    {
        ++reinterpret_cast<SWindowSearch *>(data)->count;
        return TRUE;
    }
    static BOOL CALLBACK noteTopLevel(HWND window, LPARAM data)
    {
        auto *search = reinterpret_cast<SWindowSearch *>(data);
        ++search->count;
        if (window != search->except && IsWindowVisible(window))
        {
            search->visible.push_back(window);
        }
        EnumChildWindows(window, &countChild, data);
        return TRUE;
    }

    HWND except;
    std::vector<HWND> visible;
    long count = 0;
};

class ZeloEditorWin32 : public testing::Test
{
protected:
    void SetUp() override
    {
        m_host = Desktop::createHostWindow(PARENT_X, PARENT_Y, PANEL_WIDTH, PANEL_HEIGHT, false);
        ASSERT_NE(m_host, nullptr) << "no window: is an X server running for Wine?";
        m_zelo = openZelo();
    }
    void TearDown() override
    {
        Desktop::button(true, false);
        m_zelo.reset();
        if (m_host)
        {
            DestroyWindow(m_host);
        }
    }

    // The host's message loop and its idle timer, until `done` holds; false after two seconds.
    bool runUntil(const std::function<bool()> &done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end)
        {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            m_zelo->dispatch(effEditIdle);
            if (done())
            {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void runFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        runUntil([&] { return std::chrono::steady_clock::now() >= end; });
    }
    // SendInput at a point of the host's window.
    void moveTo(int x, int y)
    {
        Desktop::moveTo(PARENT_X + x, PARENT_Y + y);
        runFor(40);
    }
    void click(bool press)
    {
        Desktop::button(true, press);
        runFor(40);
    }
    HWND editorWindow() const { return GetWindow(m_host, GW_CHILD); }
    bool openEditor()
    {
        return m_zelo->dispatch(effEditOpen, 0, 0, m_host) == 1 &&
               runUntil([&] { return editorWindow() && IsWindowVisible(editorWindow()); });
    }
    // The editor's pixels as Windows shows them, opaque.
    CBitmap panel() const
    {
        const std::vector<uint32_t> pixels = Desktop::screenshot(editorWindow());
        CBitmap bitmap;
        bitmap.create(PANEL_WIDTH, PANEL_HEIGHT);
        for (size_t index = 0; index < pixels.size() && index < static_cast<size_t>(PANEL_WIDTH * PANEL_HEIGHT);
             ++index)
        {
            bitmap.getPixels()[index] = 0xFF000000u | pixels[index];
        }
        return bitmap;
    }
    // The pixels of a box of the panel.
    std::vector<uint32_t> box(int x, int y, int width, int height) const
    {
        const CBitmap all = panel();
        std::vector<uint32_t> pixels;
        for (int row = y; row < y + height; ++row)
        {
            pixels.insert(pixels.end(), all.getRow(row) + x, all.getRow(row) + x + width);
        }
        return pixels;
    }

    HWND m_host = nullptr;
    std::unique_ptr<Tools::CPluginInstance> m_zelo;
};

TEST_F(ZeloEditorWin32, AKnobDraggedWithSendInputIsOneRecordedGestureAndRedrawsItsReadOut)
{
    EXPECT_EQ(m_zelo->dispatch(effEditOpen), 0) << "a null parent";
    ASSERT_TRUE(openEditor());
    EXPECT_EQ(GetParent(editorWindow()), m_host) << "a child of the host's window";
    runFor(100);
    const std::vector<uint32_t> before = box(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16);
    m_zelo->clearRequests();

    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y);
    click(true);
    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y - 40);
    click(false);
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_NEAR(automation->opt, 0.2, 1e-6) << "from program 0's 0.0, 40 pixels up at 1/200";
    const std::string gesture = gestureOf(*m_zelo, 9);
    EXPECT_TRUE(isOneGesture(gesture)) << gesture;
    EXPECT_TRUE(runUntil([&] { return box(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16) != before; }))
        << "the read-out shows the new delay";

    m_zelo->dispatch(effEditClose);
    EXPECT_EQ(editorWindow(), nullptr);
    EXPECT_TRUE(IsWindow(m_host)) << "the host's window lives on";
}

TEST_F(ZeloEditorWin32, TheAboutButtonShowsALayeredPopUpAndAClickHidesIt)
{
    ASSERT_TRUE(openEditor());
    moveTo(ABOUT_BUTTON_X, ABOUT_BUTTON_Y);
    click(true);
    click(false);
    ASSERT_TRUE(runUntil([&] { return SWindowSearch(m_host).visible.size() == 1; }));
    const HWND about = SWindowSearch(m_host).visible.front();
    EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_LAYERED);
    RECT area{};
    GetWindowRect(about, &area);
    EXPECT_EQ(area.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (area.right - area.left) / 2) << "centred";

    moveTo(0, 0);
    click(true);
    click(false);
    EXPECT_TRUE(runUntil([&] { return SWindowSearch(m_host).visible.empty(); })) << "a click anywhere hides it";
    m_zelo->dispatch(effEditClose);
}

// Wine answers 0 to GetGuiResources; on Windows the GDI and USER counts are real.
TEST_F(ZeloEditorWin32, AHundredOpenAndCloseRoundsLeaveNoWindowOrGuiObject)
{
    const long windows = SWindowSearch(nullptr).count;
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, m_host), 1) << round;
        runFor(round % 10 == 0 ? 30 : 0);
        m_zelo->dispatch(effEditClose);
        ASSERT_EQ(editorWindow(), nullptr) << round;
    }
    runFor(50);
    EXPECT_EQ(SWindowSearch(nullptr).count, windows);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userObjects);
}

// The panel on the screen against the Linux build's golden picture. Outside the
// read-outs the pixels come from the same skin and the same raster code; inside
// them GDI+ draws the text with Windows' fonts, so only a share of their pixels
// may differ. ZELO_WRITE_SCREENSHOT=path writes what the screen shows there.
TEST_F(ZeloEditorWin32, ThePanelOnTheScreenMatchesTheLinuxGoldenPictureOutsideItsText)
{
    ASSERT_TRUE(openEditor());
    runFor(200);
    const CBitmap screen = panel();
    if (const char *path = std::getenv("ZELO_WRITE_SCREENSHOT"))
    {
        Orvalite::Basics::CString error;
        ASSERT_TRUE(Orvalite::GUI::Graphics::CPNGWriter::writeToFile(screen, path, error)) << error.getString();
    }
    const Orvalite::GUI::Graphics::CPNGImage golden{Orvalite::Basics::CSystemString(ZELO_EDITOR_GOLDEN)};
    ASSERT_TRUE(golden.imageHasLoaded()) << ZELO_EDITOR_GOLDEN;
    const SPanelDifference difference = comparePanels(screen, *golden.getImageHandle());
    std::printf("Against the Linux picture: largest channel difference outside the read-outs %ld, "
                "read-out pixels differing by more than %ld: %.1f %%\n",
                difference.largestOutsideText, TEXT_TOLERANCE, 100.0 * difference.textShareDiffering);
    EXPECT_LE(difference.largestOutsideText, 0) << "per channel, outside the read-outs";
    EXPECT_LE(difference.textShareDiffering, 0.10) << "of the read-outs' pixels";
    m_zelo->dispatch(effEditClose);
}
} // namespace
} // namespace Zelo::Testing
