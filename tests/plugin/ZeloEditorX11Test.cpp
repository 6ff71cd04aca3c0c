// The built Zelo.so's editor on a real X server, driven as a host drives it:
// a window of the host's own for the parent, effEditOpen, effEditIdle as the
// host's timer calls it, the pointer moved with XTest and the screen read back.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "tests/plugin/ZeloPlugin.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace Zelo::Testing
{
namespace
{
// Where the host's window sits on the screen.
constexpr int PARENT_X = 40;
constexpr int PARENT_Y = 30;
// The Delay One knob's centre and its read-out, in the panel.
constexpr int DELAY_KNOB_X = 22;
constexpr int DELAY_KNOB_Y = 217;
constexpr int DELAY_READOUT_X = 50;
constexpr int DELAY_READOUT_Y = 207;
constexpr int ABOUT_BUTTON_X = 383;
constexpr int ABOUT_BUTTON_Y = 16;

class ZeloEditorX11 : public testing::Test
{
protected:
    void SetUp() override
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
        {
            GTEST_SKIP() << "No X server can be reached";
        }
        m_parent =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), PARENT_X, PARENT_Y, 400, 466, 0, 0, 0x202020);
        XMapWindow(m_display, m_parent);
        XSync(m_display, False);
        m_zelo = openZelo();
    }
    void TearDown() override
    {
        if (m_display)
        {
            XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
            m_zelo.reset();
            XCloseDisplay(m_display);
        }
    }

    // effEditIdle as a host's timer calls it, until `done` holds; false after two seconds.
    bool idleUntil(const std::function<bool()> &done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end)
        {
            m_zelo->dispatch(effEditIdle);
            if (done())
            {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void idleFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        idleUntil([&] { return std::chrono::steady_clock::now() >= end; });
    }
    // XTest input at a point of the host's window.
    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, PARENT_X + x, PARENT_Y + y, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    void button(bool press)
    {
        XTestFakeButtonEvent(m_display, 1, press ? True : False, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    Window editorWindow() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_display, m_parent, &root, &parent, &children, &count);
        const Window child = count == 1 ? children[0] : 0;
        XFree(children);
        return child;
    }
    bool isViewable(Window window) const
    {
        XWindowAttributes attributes{};
        return window && XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
    }
    // The mapped override-redirect top-level window (ours: the about window), or none.
    Window popUp(XWindowAttributes &attributesOut) const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
        Window found = 0;
        for (unsigned int index = 0; index < count; ++index)
        {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(m_display, children[index], &attributes) && attributes.override_redirect &&
                attributes.map_state == IsViewable)
            {
                found = children[index];
                attributesOut = attributes;
            }
        }
        XFree(children);
        return found;
    }
    // The pixels of a box of the host's window as the screen shows them.
    std::vector<unsigned long> grab(int x, int y, int width, int height) const
    {
        XImage *image = XGetImage(m_display, m_parent, x, y, static_cast<unsigned int>(width),
                                  static_cast<unsigned int>(height), AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int row = 0; image && row < height; ++row)
        {
            for (int column = 0; column < width; ++column)
            {
                pixels.push_back(XGetPixel(image, column, row));
            }
        }
        if (image)
        {
            XDestroyImage(image);
        }
        return pixels;
    }

    Display *m_display = nullptr;
    Window m_parent = 0;
    std::unique_ptr<Tools::CPluginInstance> m_zelo;
};

TEST_F(ZeloEditorX11, AKnobDraggedInTheHostsWindowIsOneRecordedGestureAndRedrawsItsReadOut)
{
    EXPECT_EQ(m_zelo->dispatch(effEditOpen), 0) << "a null parent";
    ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
    idleFor(100);
    const std::vector<unsigned long> before = grab(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16);
    m_zelo->clearRequests();

    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y);
    button(true);
    moveTo(DELAY_KNOB_X, DELAY_KNOB_Y - 40);
    button(false);
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_NEAR(automation->opt, 0.2, 1e-6) << "from program 0's 0.0, 40 pixels up at 1/200";
    const std::string gesture = gestureOf(*m_zelo, 9);
    EXPECT_TRUE(isOneGesture(gesture)) << gesture;
    EXPECT_NEAR(m_zelo->getParameter(9), 0.2f, 1e-6);
    EXPECT_TRUE(idleUntil([&] { return grab(DELAY_READOUT_X, DELAY_READOUT_Y, 80, 16) != before; }))
        << "the read-out shows the new delay";

    m_zelo->dispatch(effEditClose);
    EXPECT_EQ(editorWindow(), 0u);
    XWindowAttributes attributes{};
    EXPECT_TRUE(XGetWindowAttributes(m_display, m_parent, &attributes)) << "the host's window lives on";
}

TEST_F(ZeloEditorX11, TheAboutButtonShowsThePictureCentredAndAClickHidesIt)
{
    ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
    moveTo(ABOUT_BUTTON_X, ABOUT_BUTTON_Y);
    button(true);
    button(false);
    XWindowAttributes about{};
    ASSERT_TRUE(idleUntil([&] { return popUp(about) != 0; }));
    const Screen *screen = DefaultScreenOfDisplay(m_display);
    EXPECT_EQ(about.x, WidthOfScreen(screen) / 2 - about.width / 2);
    EXPECT_EQ(about.y, HeightOfScreen(screen) / 2 - about.height / 2);

    moveTo(0, 0);
    button(true);
    button(false);
    EXPECT_TRUE(idleUntil([&] { return popUp(about) == 0; })) << "a click anywhere hides it";
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11, OpeningAndClosingAHundredTimesLeavesOneWindowAtMost)
{
    for (int round = 0; round < 100; ++round)
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
        m_zelo->dispatch(effEditIdle);
        m_zelo->dispatch(effEditClose);
        ASSERT_EQ(editorWindow(), 0u) << round;
    }
}
// A desktop that asks for 200 % through the X resource Xft.dpi: the editor
// answers the doubled size before it opens and draws the 200 % skin at it.
TEST_F(ZeloEditorX11, WithXftDpi192TheEditorOpensAt200PercentWithTheLargeSkin)
{
    // The server's resources are shared by every client: set for this test only.
    const Window root = DefaultRootWindow(m_display);
    const Atom resourceManager = XInternAtom(m_display, "RESOURCE_MANAGER", False);
    const char *current = XResourceManagerString(m_display);
    const std::string saved = current ? current : "";
    const auto setResources = [&](const std::string &resources) {
        XChangeProperty(m_display, root, resourceManager, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(resources.c_str()), static_cast<int>(resources.size()));
        XSync(m_display, False);
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
    XResizeWindow(m_display, m_parent, 800, 932);
    ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
    idleFor(100);
    XWindowAttributes editor{};
    ASSERT_TRUE(XGetWindowAttributes(m_display, editorWindow(), &editor));
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
    const std::vector<unsigned long> shown = grab(0, 0, WIDTH, HEIGHT);
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

// Typed values, the right-click menus and the program menu, with XTest keys and buttons.
class ZeloEditorX11Interaction : public ZeloEditorX11
{
protected:
    // A point of the panel that no control covers, and the program's name in the header.
    static constexpr int BACKGROUND_X = 200;
    static constexpr int BACKGROUND_Y = 215;
    static constexpr int PROGRAM_NAME_X = 330;
    static constexpr int PROGRAM_NAME_Y = 19;

    void openEditor()
    {
        ASSERT_EQ(m_zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(m_parent)), 1);
        ASSERT_TRUE(idleUntil([&] { return isViewable(editorWindow()); }));
        idleFor(100);
        m_zelo->clearRequests();
    }
    void click(unsigned int buttonNumber)
    {
        XTestFakeButtonEvent(m_display, buttonNumber, True, CurrentTime);
        XTestFakeButtonEvent(m_display, buttonNumber, False, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    void key(KeySym symbol)
    {
        const KeyCode code = XKeysymToKeycode(m_display, symbol);
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        XFlush(m_display);
        idleFor(30);
    }
    long count(VstInt32 opcode) const
    {
        long found = 0;
        for (const auto &request : m_zelo->requests())
        {
            found += request.opcode == opcode ? 1 : 0;
        }
        return found;
    }
};

TEST_F(ZeloEditorX11Interaction, FiftyTypedIntoTheDelayOneReadOutIsOneGestureToThreeEighths)
{
    openEditor();
    moveTo(DELAY_READOUT_X + 20, DELAY_READOUT_Y + 8);
    click(1);
    click(1);
    for (KeySym symbol : {XK_5, XK_0, XK_Return})
    {
        key(symbol);
    }
    const auto automation = m_zelo->lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(automation->index, 9);
    EXPECT_EQ(automation->opt, 0.375f) << "50 ms of 20 … 100 ms";
    EXPECT_EQ(gestureOf(*m_zelo, 9), "bae");
    EXPECT_EQ(m_zelo->getParameter(9), 0.375f);
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11Interaction, ARightClickOnTheBackgroundOpensTheMenuAtThePointer)
{
    openEditor();
    moveTo(BACKGROUND_X, BACKGROUND_Y);
    click(3);
    XWindowAttributes menu{};
    ASSERT_TRUE(idleUntil([&] { return popUp(menu) != 0; }));
    EXPECT_EQ(menu.x, PARENT_X + BACKGROUND_X);
    EXPECT_EQ(menu.y, PARENT_Y + BACKGROUND_Y);
    key(XK_Escape);
    EXPECT_TRUE(idleUntil([&] { return popUp(menu) == 0; })) << "Escape closes it";
    m_zelo->dispatch(effEditClose);
}

TEST_F(ZeloEditorX11Interaction, TheProgramMenuChangesTheProgramAndTellsTheHost)
{
    openEditor();
    moveTo(PROGRAM_NAME_X, PROGRAM_NAME_Y);
    click(1);
    XWindowAttributes menu{};
    ASSERT_TRUE(idleUntil([&] { return popUp(menu) != 0; }));
    for (KeySym symbol : {XK_Down, XK_Down, XK_Down, XK_Down, XK_Return})
    {
        key(symbol);
    }
    EXPECT_TRUE(idleUntil([&] { return popUp(menu) == 0; }));
    EXPECT_EQ(m_zelo->dispatch(effGetProgram), 3);
    EXPECT_EQ(count(audioMasterUpdateDisplay), 1);
    m_zelo->dispatch(effEditClose);
}
} // namespace
} // namespace Zelo::Testing
