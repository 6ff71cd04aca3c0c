// Makes a control of any of the toolkit's control classes from its class name,
// for control XML; the caller owns the control it gets.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::GUI::Controls
{
class IControl;
class IControlRoot;

class CControlFactory
{
public:
    // Constructs the named control in the root with id -1 at its default size;
    // false, creating nothing, for a name the toolkit has no class for.
    static bool createControl(const ::Orvalite::Basics::CString &typeName, IControl *&controlOut, IControlRoot *root);
};
} // namespace Orvalite::GUI::Controls
