#include "gui/controls/base/CControlPanel.h"

#include "tests/gui/controls/CControlWindowTest.h"
#include "tests/gui/controls/CRecordingControl.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Controls::CControlPanel;
using Orvalite::GUI::Controls::CControlRoot;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CRecordingControl;
using Log = std::vector<std::string>;

class ControlDispatch : public Orvalite::Testing::CControlWindowTest
{
protected:
    CRecordingControl *add(const char *name, const CRect &area, const CAlphaColour &colour,
                           Orvalite::GUI::Controls::IControlRoot *root = nullptr)
    {
        root = root ? root : &this->root();
        auto *control = new CRecordingControl(root, area, colour, &m_log);
        control->setName(name);
        root->addControl(control);
        return control;
    }
    const CAlphaColour m_red{255, 0, 0}, m_blue{0, 0, 255}, m_green{0, 255, 0};
    Log m_log;
};

TEST_F(ControlDispatch, TheFirstAddedTakesTheHitWhileTheLastAddedPaintsOnTop)
{
    add("A", CRect(0, 0, 20, 20), m_red);
    add("B", CRect(10, 10, 20, 20), m_blue);
    send(e_leftButtonDown, 15, 15);
    send(e_leftButtonUp, 20, 20);
    click(30, 30);
    EXPECT_EQ(m_log, (Log{"A down 15,15", "A up 20,20", "B down 20,20", "B up 20,20"}))
        << "right and bottom edges are inside";
    repaint();
    EXPECT_EQ(pixel(15, 15), m_blue.toARGB());
    EXPECT_EQ(pixel(5, 5), m_red.toARGB());
    EXPECT_EQ(pixel(45, 45), 0xFFFFFFFFu) << "the background outside every control";
}

TEST_F(ControlDispatch, ALockedControlGetsMovesOutsideItWithNegativeCoordinates)
{
    CRecordingControl *control = add("A", CRect(50, 50, 20, 20), m_red);
    add("B", CRect(0, 0, 20, 20), m_blue);
    root().lockControl(control);
    send(e_mouseMove, 10, 5);
    root().unlockControl();
    send(e_mouseMove, 10, 5);
    EXPECT_EQ(m_log, (Log{"A move -40,-45", "B move 10,5"}));
}

TEST_F(ControlDispatch, AModalControlSwallowsClicksOutsideItAndKeysGoToItsTarget)
{
    CRecordingControl *modal = add("M", CRect(100, 100, 20, 20), m_green);
    add("A", CRect(0, 0, 20, 20), m_red);
    send(e_mouseMove, 5, 5);
    m_system.send(m_handle, e_keyDown, 13, 0);
    root().setModalControl(modal);
    send(e_leftButtonDown, 5, 5);
    send(e_leftButtonDown, 105, 105);
    root().clearModalControl();
    EXPECT_EQ(m_log, (Log{"A move 5,5", "A key 3", "M down 5,5"}));
}

TEST_F(ControlDispatch, DropsGoToTheHitDropEnabledControlWithARelativePoint)
{
    add("A", CRect(0, 0, 20, 20), m_red);
    add("B", CRect(0, 0, 40, 40), m_blue)->setDropFileEnabled(true);
    m_system.dropFiles(m_handle, CPoint(12, 30), {"/tmp/first.wav", "/tmp/second.wav"});
    m_system.dropFiles(m_handle, CPoint(90, 90), {"/tmp/nowhere.wav"});
    EXPECT_EQ(m_log, (Log{"B drop 12,30 /tmp/first.wav"}));
}

TEST_F(ControlDispatch, RemovalLeavesAGapAndForgetsTheLockAndTheKeyTarget)
{
    CRecordingControl *first = add("A", CRect(0, 0, 20, 20), m_red);
    add("B", CRect(30, 0, 20, 20), m_blue);
    send(e_mouseMove, 5, 5);
    root().lockControl(first);
    root().setModalControl(first);
    root().removeControl(first);
    EXPECT_EQ(root().getArraySize(), 2);
    EXPECT_EQ(root().getControlAtIndex(0, true), nullptr);
    EXPECT_FALSE(root().controlIsLocked());
    EXPECT_EQ(root().getModalControl(), nullptr);
    m_system.send(m_handle, e_keyDown, 13, 0);
    send(e_leftButtonDown, 5, 5);
    send(e_leftButtonDown, 35, 5);
    repaint();
    EXPECT_EQ(pixel(5, 5), 0xFFFFFFFFu) << "the gap paints nothing";
    EXPECT_EQ(m_log, (Log{"A move 5,5", "B down 5,5"}));
}

TEST_F(ControlDispatch, APanelHandsClicksToItsChildAndADragThatLeavesItStillEnds)
{
    auto *panel = new CControlPanel(&root(), 1, CRect(100, 50, 40, 40));
    root().addControl(panel);
    CRecordingControl *child = add("C", CRect(10, 10, 10, 10), m_green, panel);
    EXPECT_EQ(child->getWindowArea(), CRect(110, 60, 10, 10));
    send(e_leftButtonDown, 115, 65);
    drag(5, 5);
    EXPECT_EQ(root().getLockedControl(), panel) << "the panel holds the drag in its own root";
    send(e_leftButtonUp, 5, 5);
    EXPECT_EQ(m_log, (Log{"C down 5,5", "C move -105,-55", "C up -105,-55"}));
    EXPECT_FALSE(root().controlIsLocked());

    panel->setArea(CRect(60, 20, 40, 40));
    EXPECT_EQ(child->getWindowArea(), CRect(70, 30, 10, 10)) << "moving the panel moves its children";
    repaint();
    EXPECT_EQ(pixel(75, 35), m_green.toARGB());
}

TEST_F(ControlDispatch, ANestedDispatchInsideAHandlerLeavesTheOuterEventAlone)
{
    CRecordingControl *outer = add("A", CRect(0, 0, 20, 20), m_red);
    add("B", CRect(50, 50, 20, 20), m_blue);
    outer->m_duringHandler = [this] { drag(60, 60); };
    send(e_leftButtonDown, 5, 5);
    EXPECT_EQ(m_log, (Log{"B move 10,10", "A down 5,5"}));
}

TEST_F(ControlDispatch, AHandlerThatThrowsStillLetsItsTargetGo)
{
    CRecordingControl *control = add("A", CRect(0, 0, 20, 20), m_red);
    control->m_duringHandler = [] { throw std::runtime_error("handler failed"); };
    control->referenced();
    send(e_mouseMove, 5, 5); // the window catches what its handlers throw
    root().clearControls();
    EXPECT_EQ(control->getReferenceCount(), 1) << "only the test's own reference is left";
    control->dereference();
}

TEST_F(ControlDispatch, APanelRefusesItselfAndItsAncestors)
{
    auto *outer = new CControlPanel(&root(), 1, CRect(0, 0, 100, 100));
    root().addControl(outer);
    auto *inner = new CControlPanel(outer, 2, CRect(10, 10, 50, 50));
    outer->addControl(inner);
    outer->addControl(outer);
    inner->addControl(outer);
    EXPECT_EQ(outer->getArraySize(), 1);
    EXPECT_EQ(inner->getArraySize(), 0);
}
} // namespace
