// Told when a window moves, changes size or is about to close; a window is its
// own listener until another is registered.
#pragma once

#include "foundation/basics/ICountedObject.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CPoint.h"

namespace Orvalite::GUI::Windowing
{
class IWindow;

class IWindowChangeListener : public ::Orvalite::Basics::ICountedObject
{
public:
    virtual void windowResized(IWindow *window, const MathTools::CDimension &size) = 0;
    virtual void windowMoved(IWindow *window, const MathTools::CPoint &position) = 0;
    // False keeps the window open.
    virtual bool windowClosed(IWindow *window) = 0;
};
} // namespace Orvalite::GUI::Windowing
