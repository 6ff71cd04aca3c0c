// The holder of a window's controls as controls see it: hit testing, the
// locked and modal controls, repaint requests and the control set's XML.
// CControlRoot (a window's) and CControlPanel (a panel's children) implement it.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/collections/TTreeNode.h"
#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/CRect.h"

namespace Orvalite::IO
{
class CXMLNode;
}

namespace Orvalite::GUI::Graphics
{
class CGraphics;
class IImage;
} // namespace Orvalite::GUI::Graphics

namespace Orvalite::GUI::Windowing
{
class IWindow;
}

namespace Orvalite::GUI::Listeners
{
class IActionListener;
}

namespace Orvalite::GUI::Controls
{
class IControl;

class IControlRoot
{
public:
    virtual ~IControlRoot() = default;

    // The locked control receives every mouse event wherever the pointer is.
    virtual void lockControl(IControl *control) = 0;
    virtual void unlockControl() = 0;
    virtual bool controlIsLocked() const = 0;
    virtual IControl *getLockedControl() const = 0;
    // The modal control takes every event and paints above all others.
    virtual void setModalControl(IControl *control) = 0;
    virtual void clearModalControl() = 0;
    virtual IControl *getModalControl() const = 0;
    virtual void setParentWindow(Windowing::IWindow *window) = 0;
    virtual Windowing::IWindow *getParentWindow() const = 0;
    // Where this root's (0, 0) lies in window coordinates.
    virtual MathTools::CPoint getWindowOffset() const = 0;

    // The first control in list order whose area (edges included) holds the point.
    virtual IControl *getControlAtPoint(const MathTools::CPoint &point) const = 0;
    virtual IControl *getMouseEnabledControlAtPoint(const MathTools::CPoint &point) const = 0;
    virtual IControl *getDropFileEnabledControlAtPoint(const MathTools::CPoint &point) const = 0;
    virtual IControl *getKeyboardEnabledControlAtPoint(const MathTools::CPoint &point) const = 0;
    // Searches inside panels that do not match themselves.
    virtual IControl *getControlByName(const ::Orvalite::Basics::CString &name) const = 0;

    // The root takes a reference; a control already present is not added again.
    virtual void addControl(IControl *control) = 0;
    // Releases the control and leaves its slot empty.
    virtual void removeControl(IControl *control) = 0;
    virtual void clearControls() = 0;
    // By index when isIndex, else by unique id; null when there is none.
    virtual IControl *getControlAtIndex(long value, bool isIndex) const = 0;
    virtual long getControlIndex(const IControl *control) const = 0;
    // Slots, empty ones included; controls ever added.
    virtual long getArraySize() const = 0;
    virtual long getNumberOfControls() const = 0;

    virtual void drawRootControl(Graphics::CGraphics &graphics) = 0;
    virtual void updateControl(long value, bool isIndex) = 0;
    virtual void updateControl(IControl *control) = 0;
    // Asks the window to repaint an area given in this root's coordinates.
    virtual void updateArea(const MathTools::CRect &area) = 0;
    virtual void getGlobalCoordinatesOfControl(const IControl *control, MathTools::CPoint &pointOut) const = 0;
    virtual void getWindowCoordinatesOfControl(const IControl *control, MathTools::CPoint &point) const = 0;
    virtual void setBackgroundImage(Graphics::IImage *image) = 0;

    // Control sets as XML: a "controls" node with one "control" node per control.
    virtual bool readFromXML(const IO::CXMLNode &node) = 0;
    virtual bool loadFromXMLFile(const ::Orvalite::Basics::CString &path) = 0;
    virtual bool serialiseToXML(IO::CXMLNode &node) = 0;
    // Writes a temporary file beside the path and renames it only when the write succeeded.
    virtual bool saveToXMLFile(const ::Orvalite::Basics::CString &path) = 0;
    virtual bool isControlAttached(const IControl *control) const = 0;

    // Appends to `node` one child per control (holding a counted reference),
    // with the children of every panel below the panel's node.
    virtual void buildControlTree(Collections::TTreeNode<IControl> &node) const = 0;
    // Binds a control read from XML: the control named `name` (searched as
    // getControlByName does) when its class is `type` or derives from it, which
    // then reports to `listener` under `uniqueId`. Null when there is none.
    virtual IControl *findControl(const ::Orvalite::Basics::CString &name, Listeners::IActionListener *listener,
                                  long uniqueId, const ::Orvalite::Basics::CClass &type) const = 0;
};
} // namespace Orvalite::GUI::Controls
