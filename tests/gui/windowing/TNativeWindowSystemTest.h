// The scenarios every real platform's window system passes alike (X11 under
// Xvfb, Win32 under Wine): our 200 × 100 child window in a host's window, with
// a recording target for it. The platform's fixture creates the child, pumps,
// reads the pixels back and fakes the keys.
#pragma once

#include "foundation/mathtools/CRect.h"
#include "gui/graphics/CDeviceContext.h"
#include "gui/windowing/WindowMessage.h"
#include "tests/gui/windowing/CRecordingTarget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Orvalite::Testing
{
template <class TSystem> class TNativeWindowSystemTest : public testing::Test
{
protected:
    static constexpr long WIDTH = 200;
    static constexpr long HEIGHT = 100;
    using SPixelBox = GUI::Graphics::SPixelBox;
    using NativeWindowHandle = GUI::Basics::NativeWindowHandle;

    // A shown child of the host's window.
    virtual NativeWindowHandle createChild(CRecordingTarget &target) = 0;
    // Pumps until `done` holds; false after two seconds.
    virtual bool pumpUntil(const std::function<bool()> &done) = 0;
    // Lets the events of what was done so far arrive.
    virtual void settle() = 0;
    // Our window's pixels as the screen shows them, 0xRRGGBB row by row.
    virtual std::vector<uint32_t> screenshot() = 0;
    // Gives our window the keyboard focus, then presses Shift, types "a" and lets Shift go.
    virtual void focusOurWindow() = 0;
    virtual void typeShiftedA() = 0;

    bool pumpUntilCount(uint32_t message, size_t count)
    {
        return pumpUntil([&] { return m_target.count(message) >= count; });
    }
    // Paints every paint message with `paint`, which gets the surface's context.
    void paintWith(const std::function<void(GUI::Graphics::CDeviceContext &)> &paint)
    {
        m_target.onMessage = [this, paint](const SRecordedMessage &message) {
            if (message.message == GUI::Windowing::e_paint)
            {
                SPixelBox box;
                GUI::Graphics::CDeviceContext *context = m_system.beginPaint(m_window, box);
                m_boxes.push_back(box);
                paint(*context);
                m_system.endPaint(m_window);
            }
        };
    }

    void expectPaintPutsTheDrawnSurfaceOnTheScreen()
    {
        std::vector<uint32_t> drawn;
        paintWith([&](GUI::Graphics::CDeviceContext &context) {
            GUI::Graphics::CBitmap &surface = *context.getBitmap();
            drawn.clear();
            for (long y = 0; y < surface.getHeight(); ++y)
            {
                for (long x = 0; x < surface.getWidth(); ++x)
                {
                    surface.setPixel(x, y, GUI::Graphics::CBitmap::pack(x, y * 2, (x ^ y) & 0xFF, 255));
                    drawn.push_back(surface.getPixel(x, y) & 0xFFFFFF);
                }
            }
        });
        m_system.invalidate(m_window, nullptr);
        ASSERT_TRUE(pumpUntilCount(GUI::Windowing::e_paint, 1));
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].right, WIDTH);
        EXPECT_EQ(m_boxes[0].bottom, HEIGHT);
        EXPECT_EQ(screenshot(), drawn);
    }

    // A white paint of each damage over a black window whitens the damage cut to the window, and only that.
    void expectOnlyTheDamagedPartReachesTheScreen()
    {
        const struct
        {
            SPixelBox damage;
            SPixelBox expected;
        } cases[] = {
            {{10, 10, 50, 40}, {10, 10, 50, 40}},
            {{-20, -20, 30, 30}, {0, 0, 30, 30}},
            {{190, 90, 400, 400}, {190, 90, 200, 100}},
            {{300, 300, 400, 400}, {}},
        };
        for (const auto &test : cases)
        {
            SCOPED_TRACE(test.damage.left);
            uint32_t colour = 0x000000;
            paintWith([&](GUI::Graphics::CDeviceContext &context) { context.getBitmap()->fill(0xFF000000 | colour); });
            m_system.invalidate(m_window, nullptr);
            m_system.updateWindow(m_window);
            m_boxes.clear();

            colour = 0xFFFFFF;
            m_system.invalidate(m_window, &test.damage);
            m_system.updateWindow(m_window);
            const std::vector<uint32_t> pixels = screenshot();
            const SPixelBox &box = test.expected;
            EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFFFFFFu),
                      box.isEmpty() ? 0 : (box.right - box.left) * (box.bottom - box.top));
            ASSERT_EQ(m_boxes.size(), box.isEmpty() ? 0u : 1u);
            if (!box.isEmpty())
            {
                EXPECT_EQ(pixels[box.top * WIDTH + box.left], 0xFFFFFFu);
                EXPECT_EQ(m_boxes[0].left, box.left);
                EXPECT_EQ(m_boxes[0].bottom, box.bottom);
            }
        }
    }

    void expectSettingTheAreaMovesResizesAndRepaintsAll(const MathTools::CRect &screenArea)
    {
        paintWith([](GUI::Graphics::CDeviceContext &) {});
        m_system.setWindowArea(m_window, MathTools::CRect(15, 25, 150, 80));
        EXPECT_EQ(m_target.last(GUI::Windowing::e_move).lParam, (25 << 16) | 15);
        EXPECT_EQ(m_target.last(GUI::Windowing::e_size).lParam, (80 << 16) | 150);
        EXPECT_EQ(m_system.getScreenArea(m_window), screenArea);
        ASSERT_TRUE(pumpUntilCount(GUI::Windowing::e_paint, 1));
        EXPECT_EQ(m_boxes[0].right, 150);
        EXPECT_EQ(m_boxes[0].bottom, 80);
    }

    void expectTimersRunUntilStopped()
    {
        EXPECT_FALSE(m_system.startTimer(m_window + 1, 7, 10));
        ASSERT_TRUE(m_system.startTimer(m_window, 7, 10));
        ASSERT_TRUE(m_system.startTimer(m_window, 7, 10)) << "restarting";
        ASSERT_TRUE(pumpUntil([&] { return m_target.timers.size() >= 2; }));
        EXPECT_EQ(m_target.timers[0], 7);
        m_system.stopTimer(m_window, 7);
        m_target.timers.clear();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        settle();
        EXPECT_TRUE(m_target.timers.empty());
    }

    void expectTheModifierBeingPressedCountsAsHeld()
    {
        focusOurWindow();
        m_target.messages.clear();
        std::vector<std::pair<uintptr_t, bool>> shiftAtKey;
        m_target.onMessage = [&](const SRecordedMessage &message) {
            if (message.message == GUI::Windowing::e_keyDown || message.message == GUI::Windowing::e_keyUp)
            {
                shiftAtKey.emplace_back(message.wParam, m_system.getModifierState().shift);
            }
        };
        typeShiftedA();
        ASSERT_TRUE(pumpUntilCount(GUI::Windowing::e_keyUp, 2));
        EXPECT_EQ(shiftAtKey,
                  (std::vector<std::pair<uintptr_t, bool>>{{16, true}, {'A', true}, {'A', true}, {16, false}}));
        EXPECT_EQ(m_target.last(GUI::Windowing::e_keyDown).lParam, 'A') << "the character is shifted too";
    }

    void expectAnUnknownClassIsRefusedWithTheReason()
    {
        GUI::Windowing::SNativeWindowSpec spec;
        spec.className = "org.zelo.test.Unregistered";
        spec.area = MathTools::CRect(0, 0, 10, 10);
        std::string error;
        EXPECT_EQ(m_system.createWindow(spec, &m_target, error), 0u);
        EXPECT_NE(error.find("not registered"), std::string::npos) << error;
    }

    // Cycles of a child created, painted, timed and destroyed.
    void createAndDestroyChildren(int cycles)
    {
        for (int cycle = 0; cycle < cycles; ++cycle)
        {
            const NativeWindowHandle window = createChild(m_target);
            ASSERT_NE(window, 0u) << cycle;
            m_system.invalidate(window, nullptr);
            m_system.startTimer(window, 1, 10);
            m_system.pump();
            m_system.destroyWindow(window);
        }
    }

    CRecordingTarget m_target;
    TSystem m_system;
    NativeWindowHandle m_window = 0;
    std::vector<SPixelBox> m_boxes;
};
} // namespace Orvalite::Testing
