// The controls of one window: it hears the window's mouse, key and drop events
// and hands each to the control it is for, in that control's coordinates, and
// paints the controls into the window's back buffer. Owned by its window.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/listeners/IDropFileListener.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/listeners/IMouseListener.h"

#include <vector>

namespace Orvalite::GUI::Controls
{
class CControlRoot : public ::Orvalite::Basics::CCountedObject,
                     public Listeners::IMouseListener,
                     public Listeners::IDropFileListener,
                     public Listeners::IKeyboardListener,
                     public IControlRoot
{
public:
    // Throws CException without a window; the window is not owned (it owns the root).
    explicit CControlRoot(Windowing::IWindow *window);
    CControlRoot(const CControlRoot &) = delete;
    CControlRoot &operator=(const CControlRoot &) = delete;
    ~CControlRoot() override;

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    void getObjectDescription(char *buffer, long size) const override;

    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleRightButtonDown(const Events::CMouseEvent &event) override;
    void handleRightButtonUp(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    void handleMouseScroll(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    void handleMouseLeavingArea(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override;
    bool handleKeyUp(const Events::CKeyboardEvent &event) override;
    // Goes where keys go.
    bool handleCharacter(const Events::CKeyboardEvent &event) override;
    void handleFileDrop(const Events::CDropEvent &event) override;

    void lockControl(IControl *control) override { m_lockedControl = control; }
    void unlockControl() override { m_lockedControl = nullptr; }
    bool controlIsLocked() const override { return m_lockedControl != nullptr; }
    IControl *getLockedControl() const override { return m_lockedControl; }
    void setModalControl(IControl *control) override;
    void clearModalControl() override;
    IControl *getModalControl() const override { return m_modalControl; }
    void setParentWindow(Windowing::IWindow *window) override { m_window = window; }
    Windowing::IWindow *getParentWindow() const override { return m_window; }
    MathTools::CPoint getWindowOffset() const override { return MathTools::CPoint(0, 0); }

    IControl *getControlAtPoint(const MathTools::CPoint &point) const override;
    IControl *getMouseEnabledControlAtPoint(const MathTools::CPoint &point) const override;
    IControl *getDropFileEnabledControlAtPoint(const MathTools::CPoint &point) const override;
    IControl *getKeyboardEnabledControlAtPoint(const MathTools::CPoint &point) const override;
    IControl *getControlByName(const ::Orvalite::Basics::CString &name) const override;

    void addControl(IControl *control) override;
    void removeControl(IControl *control) override;
    void clearControls() override;
    IControl *getControlAtIndex(long value, bool isIndex) const override;
    long getControlIndex(const IControl *control) const override;
    long getArraySize() const override { return static_cast<long>(m_controls.size()); }
    long getNumberOfControls() const override { return m_numberOfControls; }

    void drawRootControl(Graphics::CGraphics &graphics) override;
    void updateControl(long value, bool isIndex) override;
    void updateControl(IControl *control) override;
    void updateArea(const MathTools::CRect &area) override;
    void getGlobalCoordinatesOfControl(const IControl *control, MathTools::CPoint &pointOut) const override;
    void getWindowCoordinatesOfControl(const IControl *control, MathTools::CPoint &point) const override;
    void setBackgroundImage(Graphics::IImage *image) override;

    bool readFromXML(const IO::CXMLNode &node) override;
    bool loadFromXMLFile(const ::Orvalite::Basics::CString &path) override;
    bool serialiseToXML(IO::CXMLNode &node) override;
    bool saveToXMLFile(const ::Orvalite::Basics::CString &path) override;
    bool isControlAttached(const IControl *control) const override { return getControlIndex(control) >= 0; }
    void buildControlTree(Collections::TTreeNode<IControl> &node) const override;
    IControl *findControl(const ::Orvalite::Basics::CString &name, Listeners::IActionListener *listener, long uniqueId,
                          const ::Orvalite::Basics::CClass &type) const override;

    // Right and bottom edges are inside.
    static bool isInside(const MathTools::CRect &area, const MathTools::CPoint &point);
    // Paints one control of a root or panel whose area meets the update area
    // (given in the same coordinates as the control's area).
    static void drawChild(Graphics::CGraphics &graphics, IControl &control, const MathTools::CRect &updateArea);

    ORVALITE_CLASS_RECORD(CControlRoot)

protected:
    using THandler = void (Listeners::IMouseListener::*)(const Events::CMouseEvent &);
    // Hands a copy of the event to the target, so that a nested dispatch (a
    // menu opened from a handler) cannot rewrite the outer one's position.
    void dispatchMouseEvent(const Events::CMouseEvent &event, THandler handler);
    // Paints the background and the controls meeting the update area, then the modal control.
    void drawControls(Graphics::CGraphics &graphics);
    // The control a point in this root's coordinates hits: first added wins.
    IControl *findControlAtPoint(const MathTools::CPoint &point, bool (IControl::*isEnabled)() const) const;
    // Forgets a control that leaves: as locked, modal or last target.
    void forgetControl(const IControl *control);
    const std::vector<IControl *> &getControls() const { return m_controls; }

private:
    IControl *chooseMouseTarget(const MathTools::CPoint &point) const;
    // Keys and characters go to the modal control, else the locked one, else the last mouse target.
    IControl *keyTarget() const;

    IControl *m_modalControl = nullptr;
    IControl *m_lockedControl = nullptr;
    IControl *m_lastTarget = nullptr;
    // Counted references; removal leaves a null slot.
    std::vector<IControl *> m_controls;
    long m_numberOfControls = 0;
    Graphics::IImage *m_backgroundImage = nullptr;
    Windowing::IWindow *m_window;
    MathTools::CPoint m_lastPosition;
};
} // namespace Orvalite::GUI::Controls
