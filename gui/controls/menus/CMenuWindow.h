// A menu shown in a pop-up window, and the sub-menus it opens beside their
// items, each in a window of its own. The outermost window takes the pointer
// and the keys (on X11 an override-redirect pop-up with both grabbed) and
// steers the whole chain: Up and Down move the highlight, Right opens the
// highlighted sub-menu and Left closes it, Return chooses, Escape closes the
// innermost menu, a click outside every menu closes them all. Sub-menus open
// to at most MAXIMUM_DEPTH levels below the outermost menu.
// Its name is "Menu_<depth>_<instance>": the window's depth (0 for the
// outermost) and the count of menu windows made before it in this process.
// Owned by the control that opens it; each window owns the next one's.
#pragma once

#include "gui/controls/base/CControlRoot.h"
#include "gui/windowing/CWindow.h"

#include <memory>

namespace Orvalite::GUI::Controls
{
class CMenu;
class CMenuItem;
class CMenuItemDisplay;
class IMenuWindowOwner;

class CMenuWindow : public Windowing::CWindow
{
public:
    static constexpr long MAXIMUM_DEPTH = 8;
    // The frame around the items.
    static constexpr long BORDER = 1;

    explicit CMenuWindow(IMenuWindowOwner &owner);
    ~CMenuWindow() override;

    // Shows the menu (counted until another is shown) below `anchor`, in screen
    // coordinates, or above it when there is no room below, moved inside the
    // screen; takes the pointer and the keys. A menu without items is not shown.
    void popUp(CMenu *menu, const MathTools::CRect &anchor);
    // Closes this menu and its sub-menus; the owner hears of it when this is the outermost.
    void hideWindow() override;

    bool isOpen() const { return m_open; }
    CMenu *getMenu() const { return m_menu; }
    long getDepth() const { return m_depth; }
    const ::Orvalite::Basics::CString &getName() const { return m_name; }
    // -1 for none.
    long getHighlightedIndex() const { return m_highlighted; }
    CMenuItemDisplay *getItemDisplay(long index) const;
    // The window of the open sub-menu; null when none is open.
    CMenuWindow *getOpenSubMenu() const;

    // Where a control, or an area of a window, lies on the screen, for anchoring a menu to it.
    static MathTools::CRect screenAreaOf(const IControl &control);
    static MathTools::CRect screenAreaOf(const Windowing::IWindow &window, const MathTools::CRect &areaInWindow);

    // The input of every window of the chain, in screen coordinates.
    void pointerMoved(const MathTools::CPoint &screenPoint);
    void buttonPressed(const MathTools::CPoint &screenPoint);
    void buttonReleased(const MathTools::CPoint &screenPoint);
    bool keyPressed(long keyCode);

    // Holds the owner through each input message (see IMenuWindowOwner).
    intptr_t handleNativeMessage(Basics::NativeWindowHandle handle, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) override;

    ORVALITE_CLASS_RECORD(CMenuWindow)

private:
    // Hands the window's mouse and keys to the outermost window of the chain.
    class CMenuRoot : public CControlRoot
    {
    public:
        explicit CMenuRoot(CMenuWindow &window) : CControlRoot(&window), m_menuWindow(window) {}
        void handleLeftButtonDown(const Events::CMouseEvent &event) override;
        void handleLeftButtonUp(const Events::CMouseEvent &event) override;
        void handleRightButtonDown(const Events::CMouseEvent &event) override;
        void handleMouseMovement(const Events::CMouseEvent &event) override;
        bool handleKeyDown(const Events::CKeyboardEvent &event) override;
        // Frames the items.
        void drawRootControl(Graphics::CGraphics &graphics) override;

    private:
        MathTools::CPoint toScreen(const Events::CMouseEvent &event) const;

        CMenuWindow &m_menuWindow;
    };

    CMenuWindow(IMenuWindowOwner &owner, CMenuWindow *parent);

    CMenuWindow &outermost();
    CMenuWindow &innermost();
    void show(const MathTools::CRect &area);
    // Holds the menu and makes one item display per item; sizes the window.
    void layOut(CMenu *menu);
    MathTools::CRect placeBelow(const MathTools::CRect &anchor) const;
    MathTools::CRect placeBeside(const MathTools::CRect &item) const;
    void close(bool tellOwner);
    // The open window of the chain whose area holds the point, innermost first; null outside all.
    CMenuWindow *windowAt(const MathTools::CPoint &screenPoint);
    long itemAt(const MathTools::CPoint &screenPoint) const;
    void highlight(long index);
    // Moves the highlight by ±1 to the next item that can be chosen, wrapping.
    void stepHighlight(long step);
    CMenuItem *highlightedItem() const;
    // Opens the highlighted item's sub-menu beside it, or closes the open one
    // when the item opens none; true when one is open afterwards.
    bool openHighlightedSubMenu();
    void closeSubMenu();
    void choose(CMenuItem &item);

    IMenuWindowOwner &m_owner;
    CMenuWindow *m_parent;
    std::unique_ptr<CMenuWindow> m_subMenu;
    // The item whose sub-menu is open; -1 for none.
    long m_subMenuIndex = -1;
    long m_depth;
    ::Orvalite::Basics::CString m_name;
    CMenu *m_menu = nullptr;
    long m_highlighted = -1;
    bool m_open = false;
};
} // namespace Orvalite::GUI::Controls
