// The built Zelo.so's editor on a real X server, driven as a host drives it:
// a window of the host's own for the parent, effEditOpen, effEditIdle as the
// host's timer calls it, the pointer moved with XTest and the screen read back.
#include "tests/plugin/CX11HostWindow.h"
#include "tests/plugin/ZeloPlugin.h"

#include <X11/Xatom.h>
#include <cairo.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace Zelo::Testing
{
namespace
{
constexpr int ABOUT_BUTTON_X = 383;
constexpr int ABOUT_BUTTON_Y = 16;
// A point of the panel that no control covers, and the program's name in the header.
constexpr int BACKGROUND_X = 200;
constexpr int BACKGROUND_Y = 215;
constexpr int PROGRAM_NAME_X = 330;
constexpr int PROGRAM_NAME_Y = 19;

class ZeloEditorX11 : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_host.display())
        {
            GTEST_SKIP() << "No X server can be reached";
        }
        m_zelo = openZelo();
        m_host.setIdle([this] { m_zelo->dispatch(effEditIdle); });
    }
    void TearDown() override
    {
        if (m_zelo)
        {
            m_host.button(false);
            m_zelo.reset();
        }
    }

    void openEditor()
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_host.window())), 1);
        ASSERT_TRUE(m_host.waitForChild());
        m_zelo->clearRequests();
    }

    CX11HostWindow m_host;
    std::unique_ptr<Tools::CPluginInstance> m_zelo;
};

TEST_F(ZeloEditorX11, AKnobDraggedInTheHostsWindowIsOneRecordedGestureAndRedrawsItsReadOut)
{
    EXPECT_EQ(m_zelo->dispatch(effEditOpen), 0) << "a null parent";
    openEditor();
    const std::vector<unsigned long> before = m_host.grabDelayReadout();
    m_host.drag(DELAY_KNOB_X, DELAY_KNOB_Y, 40);
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_NEAR(automation->opt, 0.2, 1e-6) << "from program 0's 0.0, 40 pixels up at 1/200";
    const std::string gesture = gestureOf(*m_zelo, 9);
    EXPECT_TRUE(isOneGesture(gesture)) << gesture;
    EXPECT_NEAR(m_zelo->getParameter(9), 0.2f, 1e-6);
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.grabDelayReadout() != before; }))
        << "the read-out shows the new delay";

    m_zelo->dispatch(effEditClose);
    EXPECT_EQ(m_host.child(), 0u);
    XWindowAttributes attributes{};
    EXPECT_TRUE(XGetWindowAttributes(m_host.display(), m_host.window(), &attributes)) << "the host's window lives on";
}

TEST_F(ZeloEditorX11, TheAboutButtonShowsThePictureCentredAndAClickHidesIt)
{
    openEditor();
    m_host.moveTo(ABOUT_BUTTON_X, ABOUT_BUTTON_Y);
    m_host.click();
    XWindowAttributes about{};
    ASSERT_TRUE(m_host.idleUntil([&] { return m_host.popUp(about) != 0; }));
    const Screen *screen = DefaultScreenOfDisplay(m_host.display());
    EXPECT_EQ(about.x, WidthOfScreen(screen) / 2 - about.width / 2);
    EXPECT_EQ(about.y, HeightOfScreen(screen) / 2 - about.height / 2);

    m_host.moveTo(0, 0);
    m_host.click();
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.popUp(about) == 0; })) << "a click anywhere hides it";
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11, OpeningAndClosingAHundredTimesLeavesOneWindowAtMost)
{
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_host.window())), 1);
        m_zelo->dispatch(effEditIdle);
        m_zelo->dispatch(effEditClose);
        ASSERT_EQ(m_host.child(), 0u) << round;
    }
}
// A desktop that asks for 200 % through the X resource Xft.dpi: the editor
// answers the doubled size before it opens and draws the 200 % skin at it.
TEST_F(ZeloEditorX11, WithXftDpi192TheEditorOpensAt200PercentWithTheLargeSkin)
{
    // The server's resources are shared by every client: set for this test only.
    Display *display = m_host.display();
    const Atom resourceManager = XInternAtom(display, "RESOURCE_MANAGER", False);
    const char *current = XResourceManagerString(display);
    const std::string saved = current ? current : "";
    const auto setResources = [&](const std::string &resources) {
        XChangeProperty(display, DefaultRootWindow(display), resourceManager, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(resources.c_str()), static_cast<int>(resources.size()));
        XSync(display, False);
    };
    setResources(saved + "\nXft.dpi:\t192\n");
    const std::unique_ptr<void, std::function<void(void *)>> restore(this, [&](void *) { setResources(saved); });
    // No settings file of the user's and no ZELO_EDITOR_SCALE decide it instead.
    char configuration[] = "/tmp/zelo-x11-config-XXXXXX";
    ASSERT_NE(mkdtemp(configuration), nullptr);
    setenv("XDG_CONFIG_HOME", configuration, 1);
    unsetenv("ZELO_EDITOR_SCALE");

    ERect *rect = nullptr;
    ASSERT_EQ(m_zelo->dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ((std::vector<int>{rect->top, rect->left, rect->bottom, rect->right}), (std::vector<int>{0, 0, 932, 800}));
    XResizeWindow(display, m_host.window(), 800, 932);
    openEditor();
    XWindowAttributes editor{};
    ASSERT_TRUE(XGetWindowAttributes(display, m_host.child(), &editor));
    EXPECT_EQ(editor.width, 800);
    EXPECT_EQ(editor.height, 932);

    // The header left of the program name holds no control: it is the 200 % background, pixel for pixel.
    constexpr int WIDTH = 340;
    constexpr int HEIGHT = 100;
    const std::string skin = std::string(ZELO_PLUGIN_PATH).substr(0, std::string(ZELO_PLUGIN_PATH).rfind('/')) +
                             "/Resources/background@200.png";
    cairo_surface_t *background = cairo_image_surface_create_from_png(skin.c_str());
    ASSERT_EQ(cairo_surface_status(background), CAIRO_STATUS_SUCCESS) << skin;
    ASSERT_EQ(cairo_image_surface_get_width(background), 800);
    const std::vector<unsigned long> shown = m_host.grab(0, 0, WIDTH, HEIGHT);
    const unsigned char *data = cairo_image_surface_get_data(background);
    const int stride = cairo_image_surface_get_stride(background);
    long differing = 0;
    for (int y = 0; y < HEIGHT; ++y)
    {
        for (int x = 0; x < WIDTH; ++x)
        {
            uint32_t pixel = 0;
            std::memcpy(&pixel, data + y * stride + x * 4, sizeof(pixel));
            differing += (shown[static_cast<size_t>(y * WIDTH + x)] & 0xFFFFFF) != (pixel & 0xFFFFFF) ? 1 : 0;
        }
    }
    cairo_surface_destroy(background);
    EXPECT_EQ(differing, 0) << "of " << WIDTH * HEIGHT << " header pixels";

    m_zelo->dispatch(effEditClose);
    unsetenv("XDG_CONFIG_HOME");
    rmdir(configuration);
}

TEST_F(ZeloEditorX11, FiftyTypedIntoTheDelayOneReadOutIsOneGestureToThreeEighths)
{
    openEditor();
    m_host.moveTo(DELAY_READOUT_X + 20, DELAY_READOUT_Y + 8);
    m_host.click();
    m_host.click();
    for (KeySym symbol : {XK_5, XK_0, XK_Return})
    {
        m_host.key(symbol);
    }
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_EQ(automation->opt, 0.375f) << "50 ms of 20 … 100 ms";
    EXPECT_EQ(gestureOf(*m_zelo, 9), "bae");
    EXPECT_EQ(m_zelo->getParameter(9), 0.375f);
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11, ARightClickOnTheBackgroundOpensTheMenuAtThePointer)
{
    openEditor();
    m_host.moveTo(BACKGROUND_X, BACKGROUND_Y);
    m_host.click(3);
    XWindowAttributes menu{};
    ASSERT_TRUE(m_host.idleUntil([&] { return m_host.popUp(menu) != 0; }));
    EXPECT_EQ(menu.x, CX11HostWindow::LEFT + BACKGROUND_X);
    EXPECT_EQ(menu.y, CX11HostWindow::TOP + BACKGROUND_Y);
    m_host.key(XK_Escape);
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.popUp(menu) == 0; })) << "Escape closes it";
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11, TheProgramMenuChangesTheProgramAndTellsTheHost)
{
    openEditor();
    m_host.moveTo(PROGRAM_NAME_X, PROGRAM_NAME_Y);
    m_host.click();
    XWindowAttributes menu{};
    ASSERT_TRUE(m_host.idleUntil([&] { return m_host.popUp(menu) != 0; }));
    for (KeySym symbol : {XK_Down, XK_Down, XK_Down, XK_Down, XK_Return})
    {
        m_host.key(symbol);
    }
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.popUp(menu) == 0; }));
    EXPECT_EQ(m_zelo->dispatch(effGetProgram), 3);
    EXPECT_EQ(m_zelo->countRequests(audioMasterUpdateDisplay), 1u);
    m_zelo->dispatch(effEditClose);
}
} // namespace
} // namespace Zelo::Testing
