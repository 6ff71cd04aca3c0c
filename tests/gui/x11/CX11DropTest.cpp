// A file drop through XDND version 5, from a few lines of source protocol.

// googletest first: Xlib's None and Bool macros would change its names.
#include <gtest/gtest.h>

#include "tests/gui/x11/CX11TestDisplay.h"

#include "foundation/mathtools/CPoint.h"

#include <X11/Xatom.h>

#include <cstring>

namespace Orvalite::Testing
{
namespace
{
using namespace GUI::Windowing;

// The source side: offers text/uri-list, moves over the target, drops, and
// answers the target's request for the data.
class CXdndSource
{
public:
    CXdndSource(Display *display, const std::string &uriList) : m_display(display), m_uriList(uriList)
    {
        m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display, atom("XdndSelection"), m_window, CurrentTime);
    }
    ~CXdndSource() { XDestroyWindow(m_display, m_window); }

    void enter(Window target) { send(target, "XdndEnter", {0, 5L << 24, static_cast<long>(atom("text/uri-list"))}); }
    void position(Window target, int rootX, int rootY)
    {
        send(target, "XdndPosition",
             {0, 0, (rootX << 16) | rootY, CurrentTime, static_cast<long>(atom("XdndActionCopy"))});
    }
    void drop(Window target) { send(target, "XdndDrop", {0, 0, CurrentTime}); }

    // Answers data requests and records the target's replies.
    void handle(XEvent &event)
    {
        if (event.type == SelectionRequest)
        {
            const XSelectionRequestEvent &request = event.xselectionrequest;
            XChangeProperty(m_display, request.requestor, request.property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(m_uriList.data()),
                            static_cast<int>(m_uriList.size()));
            XEvent reply{};
            reply.xselection = {
                SelectionNotify,  0,           True, m_display, request.requestor, request.selection, request.target,
                request.property, request.time};
            XSendEvent(m_display, request.requestor, False, NoEventMask, &reply);
            XFlush(m_display);
        }
        else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndStatus"))
        {
            statusAccepted = (event.xclient.data.l[1] & 1) != 0;
        }
        else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndFinished"))
        {
            finished = true;
            finishedAccepted = (event.xclient.data.l[1] & 1) != 0;
        }
    }

    bool statusAccepted = false;
    bool finished = false;
    bool finishedAccepted = false;

private:
    Atom atom(const char *name) const { return XInternAtom(m_display, name, False); }
    void send(Window target, const char *type, std::initializer_list<long> words)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = atom(type);
        event.xclient.format = 32;
        std::copy(words.begin(), words.end(), event.xclient.data.l);
        event.xclient.data.l[0] = static_cast<long>(m_window);
        XSendEvent(m_display, target, False, NoEventMask, &event);
        XFlush(m_display);
    }

    Display *m_display;
    std::string m_uriList;
    Window m_window = None;
};

class X11Drop : public testing::Test
{
protected:
    void SetUp() override
    {
        m_x = CX11TestDisplay::open();
        if (!m_x)
        {
            GTEST_SKIP() << "No X server can be reached";
        }
    }

    // Drops the list on a fresh child window with the given extended style at client point (25, 35).
    void dropOn(uint32_t extendedStyle, const std::string &uriList)
    {
        const GUI::Basics::NativeWindowHandle window = m_x->createChild(m_system, m_target, extendedStyle);
        ASSERT_NE(window, 0u);
        m_target.onMessage = [&](const SRecordedMessage &message) {
            if (message.message == 0x0233)
            {
                ASSERT_TRUE(m_system.getDroppedFiles(message.wParam, m_point, m_files));
                m_system.releaseDrop(message.wParam);
                EXPECT_FALSE(m_system.getDroppedFiles(message.wParam, m_point, m_files)) << "released";
            }
        };
        CXdndSource source(m_x->getDisplay(), uriList);
        const auto handle = [&](XEvent &event) { source.handle(event); };
        source.enter(window);
        source.position(window, CX11TestDisplay::PARENT_X + CX11TestDisplay::CHILD_X + 25,
                        CX11TestDisplay::PARENT_Y + CX11TestDisplay::CHILD_Y + 35);
        m_x->pumpUntil(
            m_system, [] { return false; }, handle);
        m_statusAccepted = source.statusAccepted;
        source.drop(window);
        ASSERT_TRUE(m_x->pumpUntil(
            m_system, [&] { return source.finished; }, handle));
        m_finishedAccepted = source.finishedAccepted;
        m_system.destroyWindow(window);
    }

    std::unique_ptr<CX11TestDisplay> m_x;
    CRecordingTarget m_target;
    CX11WindowSystem m_system;
    MathTools::CPoint m_point;
    std::vector<std::string> m_files;
    bool m_statusAccepted = false;
    bool m_finishedAccepted = false;
};

TEST_F(X11Drop, FilesDroppedThroughXdndArriveDecodedWithTheClientPoint)
{
    dropOn(0x10,
           "file:///tmp/a%20b.wav\r\n# a comment\r\nhttp://example.com/x\r\nfile://localhost/home/%C3%A9.txt\r\n");
    EXPECT_TRUE(m_statusAccepted);
    EXPECT_TRUE(m_finishedAccepted);
    ASSERT_EQ(m_target.count(0x0233), 1u);
    EXPECT_EQ(m_files, (std::vector<std::string>{"/tmp/a b.wav", "/home/\xC3\xA9.txt"}));
    EXPECT_EQ(m_point, MathTools::CPoint(25, 35));
}

TEST_F(X11Drop, AWindowThatDoesNotAcceptFilesRefusesTheDrop)
{
    dropOn(0, "file:///tmp/a.wav\r\n");
    EXPECT_FALSE(m_statusAccepted);
    EXPECT_FALSE(m_finishedAccepted);
    EXPECT_EQ(m_target.count(0x0233), 0u);
}
} // namespace
} // namespace Orvalite::Testing
