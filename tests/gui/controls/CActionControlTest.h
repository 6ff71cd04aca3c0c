// A fixture for the control tests whose controls report to a listener: the
// headless control window, a recorder of the actions, and controls added to
// the root reporting to it.
#pragma once

#include "tests/gui/controls/CActionRecorder.h"
#include "tests/gui/controls/CControlWindowTest.h"

namespace Orvalite::Testing
{
class CActionControlTest : public CControlWindowTest
{
protected:
    template <class T> T *add(const MathTools::CRect &area)
    {
        auto *control = new T(&root(), 1, area, &m_listener);
        root().addControl(control);
        return control;
    }
    size_t events() const { return m_listener.m_actions.size(); }

    CActionRecorder m_listener;
};
} // namespace Orvalite::Testing
