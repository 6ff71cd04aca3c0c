// The about window: a borderless, top-most picture centred on the screen at
// the picture's size. A click anywhere or Escape hides it. The editor owns it.
#pragma once

#include "gui/controls/base/CControlRoot.h"
#include "gui/windowing/CWindow.h"

namespace Orvalite::GUI::Graphics
{
class IImage;
}

namespace Orvalite::GUI::Windowing
{
class CAboutWindow : public CWindow
{
public:
    // Makes the whole picture one click target; Escape hides as well.
    class CAboutRoot : public Controls::CControlRoot
    {
    public:
        explicit CAboutRoot(IWindow *window) : CControlRoot(window) {}
        void handleLeftButtonDown(const Events::CMouseEvent &event) override;
        bool handleKeyDown(const Events::CKeyboardEvent &event) override;
    };

    // Loads nothing yet: the picture and the native window wait for the first
    // show, so that making the editor costs no decoding and needs no display.
    // Without the picture the window never appears.
    CAboutWindow(const ::Orvalite::Basics::CString &folder, const ::Orvalite::Basics::CString &fileName, double alpha);
    ~CAboutWindow() override;

    // Centres the picture on the primary screen, shows it above everything
    // and takes the pointer and keys, so that a click anywhere reaches it.
    void showWindow() override;
    void hideWindow() override;
    void lostFocus(IWindow *) override { hideWindow(); }

    // After a show: whether the picture loaded.
    bool hasPicture() const { return m_picture != nullptr; }
    bool isShown() const { return m_shown; }

    ORVALITE_CLASS_RECORD(CAboutWindow)

private:
    // Loads the picture once; false when it cannot be loaded.
    bool loadPicture();
    MathTools::CRect centredArea() const;

    ::Orvalite::Basics::CString m_folder;
    ::Orvalite::Basics::CString m_fileName;
    double m_alpha;
    bool m_pictureTried = false;

    Graphics::IImage *m_picture = nullptr;
    bool m_shown = false;
};
} // namespace Orvalite::GUI::Windowing
