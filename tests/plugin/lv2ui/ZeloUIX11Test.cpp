// The built ZeloUI.so opened as an LV2 host opens an X11 UI: lv2ui_descriptor,
// instantiate with a window of the host's own for ui:parent, touch and resize,
// idle as the host's timer calls it, the pointer moved with XTest and the
// screen read back.

#include "tests/plugin/CX11HostWindow.h"

#include "effect/VeltrixFactoryPresets.h"
#include "plugin/lv2/ZeloPorts.h"

#include <dlfcn.h>
#include <lv2/ui/ui.h>

#include <cstring>
#include <string>

namespace Zelo::Testing
{
namespace
{
constexpr const char *UI_URI = "urn:orlen-vantrell:zelo#ui";
constexpr const char *PLUGIN_URI = "urn:orlen-vantrell:zelo";
constexpr long DELAY_ONE = 9;
// The A/B switch's centre in the panel.
constexpr int AB_SWITCH_X = 163;
constexpr int AB_SWITCH_Y = 161;

// What the UI told the host, in order: "w<port>" for a write, "t<port>" and "r<port>" for touch and release.
struct SHostRecord
{
    std::string steps;
    std::vector<std::pair<uint32_t, float>> writes;
    int width = 0;
    int height = 0;
};

void recordWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void *buffer)
{
    auto *record = static_cast<SHostRecord *>(controller);
    ASSERT_EQ(size, sizeof(float));
    ASSERT_EQ(format, 0u);
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof(value));
    record->writes.emplace_back(port, value);
    record->steps += "w" + std::to_string(port);
}

void recordTouch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
{
    static_cast<SHostRecord *>(handle)->steps += (grabbed ? "t" : "r") + std::to_string(port);
}

int recordResize(LV2UI_Feature_Handle handle, int width, int height)
{
    auto *record = static_cast<SHostRecord *>(handle);
    record->width = width;
    record->height = height;
    return 0;
}

class ZeloUIX11 : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!m_host.display())
        {
            GTEST_SKIP() << "No X server can be reached";
        }
        m_module = dlopen(ZELO_LV2_UI_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << dlerror();
        const auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(m_module, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        m_descriptor = entry(0);
        ASSERT_NE(m_descriptor, nullptr);
        ASSERT_STREQ(m_descriptor->URI, UI_URI);
        EXPECT_EQ(entry(1), nullptr);
        // Every idle call must answer that the UI stays open.
        m_host.setIdle([this] { EXPECT_EQ(m_idle->idle(m_handle), 0); });
    }
    void TearDown() override
    {
        if (m_handle)
        {
            m_descriptor->cleanup(m_handle);
        }
        if (m_module)
        {
            dlclose(m_module);
        }
    }

    LV2UI_Handle instantiate(bool withParent = true)
    {
        const LV2_Feature parent{LV2_UI__parent, reinterpret_cast<void *>(m_host.window())};
        const LV2_Feature touch{LV2_UI__touch, &m_touch};
        const LV2_Feature resize{LV2_UI__resize, &m_resize};
        const LV2_Feature idle{LV2_UI__idleInterface, nullptr};
        const LV2_Feature *features[] = {&touch, &resize, &idle, withParent ? &parent : nullptr, nullptr};
        return m_descriptor->instantiate(m_descriptor, PLUGIN_URI, "", &recordWrite, &m_record, &m_widget, features);
    }
    void open()
    {
        m_handle = instantiate();
        ASSERT_NE(m_handle, nullptr);
        m_idle = static_cast<const LV2UI_Idle_Interface *>(m_descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(m_idle, nullptr);
        ASSERT_TRUE(m_host.waitForChild());
    }
    void portEvent(uint32_t port, float value) { m_descriptor->port_event(m_handle, port, sizeof(value), 0, &value); }

    CX11HostWindow m_host;
    void *m_module = nullptr;
    const LV2UI_Descriptor *m_descriptor = nullptr;
    const LV2UI_Idle_Interface *m_idle = nullptr;
    SHostRecord m_record;
    LV2UI_Touch m_touch{&m_record, &recordTouch};
    LV2UI_Resize m_resize{&m_record, &recordResize};
    LV2UI_Widget m_widget = nullptr;
    LV2UI_Handle m_handle = nullptr;
};

TEST_F(ZeloUIX11, ThePanelNeedsAParentIsItsOnlyChildAndAsksForItsSize)
{
    EXPECT_EQ(instantiate(false), nullptr) << "no UI without a parent window";
    open();
    EXPECT_EQ(reinterpret_cast<Window>(m_widget), m_host.child());
    EXPECT_EQ(m_record.width, 400);
    EXPECT_EQ(m_record.height, 466);
    EXPECT_TRUE(m_record.steps.empty()) << "opening tells the host nothing: " << m_record.steps;

    m_descriptor->cleanup(m_handle);
    m_handle = nullptr;
    EXPECT_EQ(m_host.child(), 0u);
}

TEST_F(ZeloUIX11, AKnobDragIsWrittenToItsPortInItsUnitsBetweenTouchAndRelease)
{
    open();
    const std::vector<unsigned long> before = m_host.grabDelayReadout();
    m_host.drag(DELAY_KNOB_X, DELAY_KNOB_Y, 40);

    const std::string port = std::to_string(Lv2::portOfParameter(DELAY_ONE));
    const std::string &steps = m_record.steps;
    EXPECT_EQ(steps.rfind("t" + port + "w" + port, 0), 0u) << steps;
    EXPECT_EQ(steps.substr(steps.size() - port.size() - 1), "r" + port) << steps;
    ASSERT_FALSE(m_record.writes.empty());
    for (const auto &[written, value] : m_record.writes)
    {
        EXPECT_EQ(written, Lv2::portOfParameter(DELAY_ONE)) << value;
    }
    EXPECT_NEAR(m_record.writes.back().second, Lv2::toPortValue(DELAY_ONE, 0.2f), 1e-3)
        << "from program 0's 0.0, 40 pixels up at 1/200";
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.grabDelayReadout() != before; }))
        << "the read-out shows the new delay";
}

TEST_F(ZeloUIX11, AHostsPortValueRedrawsTheReadOutAndIsNotSentBack)
{
    open();
    const std::vector<unsigned long> before = m_host.grabDelayReadout();
    portEvent(Lv2::portOfParameter(DELAY_ONE), Lv2::toPortValue(DELAY_ONE, 0.5f));
    ASSERT_TRUE(m_host.idleUntil([&] { return m_host.grabDelayReadout() != before; }));
    const std::vector<unsigned long> halfway = m_host.grabDelayReadout();
    // The ports carry the live half: a switch the host reports keeps the values it sent.
    portEvent(Lv2::PORT_HALF, 1.0f);
    m_host.idleFor(50);
    EXPECT_EQ(m_host.grabDelayReadout(), halfway);
    portEvent(Lv2::portOfParameter(DELAY_ONE), Lv2::toPortValue(DELAY_ONE, 0.0f));
    EXPECT_TRUE(m_host.idleUntil([&] { return m_host.grabDelayReadout() == before; })) << "back to program 0's delay";
    EXPECT_TRUE(m_record.steps.empty()) << m_record.steps;
}

TEST_F(ZeloUIX11, TheABSwitchWritesTheHalfPortThenEveryValueOfTheOtherHalf)
{
    open();
    m_host.moveTo(AB_SWITCH_X, AB_SWITCH_Y);
    m_host.click();
    const std::vector<std::pair<uint32_t, float>> &writes = m_record.writes;
    ASSERT_EQ(writes.size(), 1 + Lv2::NUMBER_OF_PARAMETER_PORTS) << m_record.steps;
    EXPECT_EQ(writes.front(), std::make_pair(Lv2::PORT_HALF, 1.0f));
    for (uint32_t control = 0; control < Lv2::NUMBER_OF_PARAMETER_PORTS; ++control)
    {
        const long index = static_cast<long>(control);
        EXPECT_EQ(writes[1 + control],
                  std::make_pair(Lv2::portOfParameter(index),
                                 Lv2::toPortValue(index, Orvalite::Veltrix::getFactoryValueB(0, index))))
            << index;
    }
}

TEST_F(ZeloUIX11, IdleAsksToCloseOnceTheHostDestroysItsWindow)
{
    open();
    XDestroyWindow(m_host.display(), m_host.window());
    XSync(m_host.display(), False);
    bool closing = false;
    m_host.setIdle([&] { closing = m_idle->idle(m_handle) == 1; });
    EXPECT_TRUE(m_host.idleUntil([&] { return closing; }));
}
} // namespace
} // namespace Zelo::Testing
