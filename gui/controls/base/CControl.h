// The base of every control: a rectangle in a control root with its flags,
// name, id, value, images and colours, and the descriptors it is saved and
// restored through. Counted; held by the root or panel it is added to.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "gui/controls/base/IControl.h"
#include "gui/listeners/IDropFileListener.h"
#include "gui/listeners/IGestureListener.h"
#include "gui/listeners/IKeyboardListener.h"
#include "gui/listeners/IMouseListener.h"

namespace Orvalite::GUI::Controls
{
class CControl : public ::Orvalite::Basics::CCountedObject,
                 public IControl,
                 public Listeners::IMouseListener,
                 public Listeners::IKeyboardListener,
                 public Listeners::IDropFileListener
{
public:
    // Throws CException without a root; neither root nor listener is owned.
    CControl(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
             Listeners::IActionListener *actionListener = nullptr);
    CControl(const CControl &) = delete;
    CControl &operator=(const CControl &) = delete;
    ~CControl() override;

    void referenced() override { CCountedObject::referenced(); }
    void dereference() override { CCountedObject::dereference(); }
    long getReferenceCount() const override { return CCountedObject::getReferenceCount(); }
    // Writes "Control".
    void getObjectDescription(char *buffer, long size) const override;

    void setControlRoot(IControlRoot *root) override;
    IControlRoot *getControlRoot() const override { return m_root; }
    void setParentControl(IControl *control) override { m_parentControl = control; }
    IControl *getParentControl() const override { return m_parentControl; }
    void registerActionListener(Listeners::IActionListener *listener) override { m_actionListener = listener; }
    void setMouseEnabled(bool enabled) override { m_mouseEnabled = enabled; }
    void setDropFileEnabled(bool enabled) override { m_dropFileEnabled = enabled; }
    void setKeyboardEnabled(bool enabled) override { m_keyboardEnabled = enabled; }
    void onControlHook() override {}
    bool isMouseEnabled() const override { return m_mouseEnabled; }
    bool takesMouseWheel() const override { return false; }
    bool isDropFileEnabled() const override { return m_dropFileEnabled; }
    bool isKeyboardEnabled() const override { return m_keyboardEnabled; }
    bool isSpecialControl() const override { return false; }
    bool isFlagSet() const override { return m_flag; }

    bool serialiseToXML(IO::CXMLNode &node) override;
    bool readFromXML(const IO::CXMLNode &node) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    long getUniqueId() const override { return m_uniqueId; }
    void setUniqueId(long id) override { m_uniqueId = id; }
    const ::Orvalite::Basics::CString &getName() const override { return m_name; }
    void setName(const ::Orvalite::Basics::CString &name) override { m_name = name; }
    void setValue(double value) override { m_value = value; }
    double getValue() const override { return m_value; }
    void setArea(const MathTools::CRect &area) override;
    const MathTools::CRect &getArea() const override { return m_area; }
    const MathTools::CRect &getWindowArea() const override { return m_windowArea; }
    const MathTools::CDimension &getDimension() const override { return m_size; }
    bool isContainer() const override { return false; }
    bool isExcludedFromXML() const override { return m_excludedFromXML; }
    void setExcludedFromXML(bool excluded) override { m_excludedFromXML = excluded; }
    void update() override;
    void drawControl(Graphics::CGraphics &) override {}
    void enable() override { m_enabled = true; }
    void disable() override { m_enabled = false; }
    void setPrimaryImage(Graphics::IImage *image) override { replaceImage(m_primaryImage, image); }
    void setDisabledImage(Graphics::IImage *image) override { replaceImage(m_disabledImage, image); }
    const MathTools::CRect &getNormalisedArea() const override { return m_normalisedArea; }
    void setDefaultControlColours(const Basics::CAlphaColour &background, const Basics::CAlphaColour &frame) override;
    void setDefaultDrawing(bool flag) override { m_defaultDrawing = flag; }
    bool drawDisabledControl(Graphics::CGraphics &graphics) override;
    void drawPrimaryImage(Graphics::CGraphics &graphics, bool drawFrame) override;
    bool drawPrimaryImageOnly(Graphics::CGraphics &graphics) override;

    void handleLeftButtonDown(const Events::CMouseEvent &) override {}
    void handleLeftButtonUp(const Events::CMouseEvent &) override {}
    void handleRightButtonDown(const Events::CMouseEvent &) override {}
    void handleRightButtonUp(const Events::CMouseEvent &) override {}
    void handleDoubleClick(const Events::CMouseEvent &) override {}
    void handleMouseScroll(const Events::CMouseEvent &) override {}
    void handleMouseMovement(const Events::CMouseEvent &) override {}
    void handleMouseLeavingArea(const Events::CMouseEvent &) override {}
    bool handleKeyDown(const Events::CKeyboardEvent &) override { return false; }
    bool handleKeyUp(const Events::CKeyboardEvent &) override { return false; }
    void handleFileDrop(const Events::CDropEvent &) override {}

    bool isEnabled() const { return m_enabled; }
    bool isDefaultDrawing() const { return m_defaultDrawing; }
    Graphics::IImage *getPrimaryImage() const { return m_primaryImage; }
    const Basics::CAlphaColour &getFrameColour() const { return m_frameColour; }
    const Basics::CAlphaColour &getBackgroundColour() const { return m_backgroundColour; }
    Listeners::IActionListener *getActionListener() const { return m_actionListener; }
    // Not owned; told where each of the user's edits begins and ends.
    void registerGestureListener(Listeners::IGestureListener *listener) { m_gestureListener = listener; }

protected:
    // Tells the action listener, if any, that the user changed this control (type 0).
    void fireActionEvent();
    // Tell the gesture listener, if any, that an edit begins or ends; a second
    // begin, or an end without a begin, tells nothing.
    void beginGesture();
    void endGesture();

    // One edit in a single step: begins the gesture on construction, ends it on destruction.
    class CGesture
    {
    public:
        explicit CGesture(CControl &control) : m_control(control) { m_control.beginGesture(); }
        ~CGesture() { m_control.endGesture(); }
        CGesture(const CGesture &) = delete;
        CGesture &operator=(const CGesture &) = delete;

    private:
        CControl &m_control;
    };

public:
    // Areas wider, taller or further out than this are refused from XML.
    static constexpr long MAXIMUM_COORDINATE = 32767;

    ORVALITE_CLASS_RECORD(CControl)

private:
    // References the new image before releasing the old: it may be the same one.
    static void replaceImage(Graphics::IImage *&held, Graphics::IImage *image);

    Listeners::IActionListener *m_actionListener;
    Listeners::IGestureListener *m_gestureListener = nullptr;
    bool m_inGesture = false;
    IControlRoot *m_root = nullptr;
    IControl *m_parentControl = nullptr;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = false;
    bool m_dropFileEnabled = false;
    bool m_flag = false;
    bool m_enabled = true;
    bool m_defaultDrawing = false;
    bool m_excludedFromXML = false;
    long m_uniqueId;
    ::Orvalite::Basics::CString m_name = "Control";
    double m_value = 1.0;
    MathTools::CRect m_area;
    MathTools::CDimension m_size;
    MathTools::CRect m_windowArea;
    MathTools::CRect m_normalisedArea;
    Graphics::IImage *m_primaryImage = nullptr;
    Graphics::IImage *m_disabledImage = nullptr;
    Basics::CAlphaColour m_frameColour{0, 0, 0, 255};
    Basics::CAlphaColour m_backgroundColour{255, 255, 255, 255};
};
} // namespace Orvalite::GUI::Controls
