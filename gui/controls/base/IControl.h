// A control as its root, its panel and its listeners see it: a rectangle in a
// control root with flags, a name, an id, a value, images and its descriptors.
// CControl is the implementation every control derives from.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/basics/ICountedObject.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/CAlphaColour.h"

namespace Orvalite::IO
{
class CXMLNode;
}

namespace Orvalite::GUI::Graphics
{
class CGraphics;
class IImage;
} // namespace Orvalite::GUI::Graphics

namespace Orvalite::GUI::Listeners
{
class IActionListener;
}

namespace Orvalite::GUI::Controls
{
class CControlDescriptor;
class IControlRoot;

class IControl : public ::Orvalite::Basics::ICountedObject
{
public:
    // Throws CException without a root.
    virtual void setControlRoot(IControlRoot *root) = 0;
    virtual IControlRoot *getControlRoot() const = 0;
    virtual void setParentControl(IControl *control) = 0;
    virtual IControl *getParentControl() const = 0;
    virtual void registerActionListener(Listeners::IActionListener *listener) = 0;
    virtual void setMouseEnabled(bool enabled) = 0;
    virtual void setDropFileEnabled(bool enabled) = 0;
    virtual void setKeyboardEnabled(bool enabled) = 0;
    virtual void onControlHook() = 0;
    virtual bool isMouseEnabled() const = 0;
    virtual bool isDropFileEnabled() const = 0;
    virtual bool isKeyboardEnabled() const = 0;
    // Whether the wheel does something here: a scroll panel offers the wheel to
    // such a control under the pointer before scrolling itself.
    virtual bool takesMouseWheel() const = 0;
    virtual bool isSpecialControl() const = 0;
    virtual bool isFlagSet() const = 0;

    // Writes the descriptors into a "control" node; reads them back (false on any fault).
    virtual bool serialiseToXML(IO::CXMLNode &node) = 0;
    virtual bool readFromXML(const IO::CXMLNode &node) = 0;
    // Appends this control's descriptors; a subclass appends its own after its base's.
    virtual void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const = 0;
    // Applies one descriptor by name: true when the name is known and the value well typed.
    virtual bool setDescriptor(const CControlDescriptor &descriptor) = 0;
    virtual void fillDescriptor(CControlDescriptor &descriptor) const = 0;

    virtual long getUniqueId() const = 0;
    virtual void setUniqueId(long id) = 0;
    virtual const ::Orvalite::Basics::CString &getName() const = 0;
    virtual void setName(const ::Orvalite::Basics::CString &name) = 0;
    virtual void setValue(double value) = 0;
    virtual double getValue() const = 0;
    // The area in the parent's coordinates; the window area follows from the root.
    virtual void setArea(const MathTools::CRect &area) = 0;
    virtual const MathTools::CRect &getArea() const = 0;
    virtual const MathTools::CRect &getWindowArea() const = 0;
    virtual const MathTools::CDimension &getDimension() const = 0;
    virtual bool isContainer() const = 0;
    virtual bool isExcludedFromXML() const = 0;
    virtual void setExcludedFromXML(bool excluded) = 0;
    // Asks the root to repaint this control.
    virtual void update() = 0;
    // Draws in control coordinates: the root has set the offset, clip and update area.
    virtual void drawControl(Graphics::CGraphics &graphics) = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual void setPrimaryImage(Graphics::IImage *image) = 0;
    virtual void setDisabledImage(Graphics::IImage *image) = 0;
    virtual const MathTools::CRect &getNormalisedArea() const = 0;
    virtual void setDefaultControlColours(const Basics::CAlphaColour &background,
                                          const Basics::CAlphaColour &frame) = 0;
    virtual void setDefaultDrawing(bool flag) = 0;
    virtual bool drawDisabledControl(Graphics::CGraphics &graphics) = 0;
    virtual void drawPrimaryImage(Graphics::CGraphics &graphics, bool drawFrame) = 0;
    virtual bool drawPrimaryImageOnly(Graphics::CGraphics &graphics) = 0;
};
} // namespace Orvalite::GUI::Controls
