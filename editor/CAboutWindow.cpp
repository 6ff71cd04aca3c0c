#include "editor/CAboutWindow.h"

#include "foundation/host/CDisplayMetrics.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/graphics/IImage.h"
#include "gui/graphics/ImageFactory.h"

#include <utility>

namespace Orvalite::GUI::Windowing
{
ORVALITE_DEFINE_CLASS_RECORD(CAboutWindow, "CAboutWindow", "CWindow")

namespace
{
// A pop-up without border or caption, top-most, layered and never activated.
constexpr uint32_t POP_UP_STYLE = 0x80000000;
constexpr uint32_t TOPMOST_LAYERED_NO_ACTIVATE_STYLE = 0x08080008;
constexpr uint32_t ESCAPE_VIRTUAL_KEY = 0x1B;
} // namespace

void CAboutWindow::CAboutRoot::handleLeftButtonDown(const Events::CMouseEvent &)
{
    getParentWindow()->hideWindow();
}

bool CAboutWindow::CAboutRoot::handleKeyDown(const Events::CKeyboardEvent &event)
{
    if (event.getKeyCode() != Events::CKeyboardEvent::keyCodeOf(ESCAPE_VIRTUAL_KEY))
    {
        return false;
    }
    getParentWindow()->hideWindow();
    return true;
}

CAboutWindow::CAboutWindow(const ::Orvalite::Basics::CString &folder, const ::Orvalite::Basics::CString &fileName,
                           double alpha)
    : CWindow(MathTools::CRect(0, 0, 100, 100)), m_folder(folder), m_fileName(fileName), m_alpha(alpha)
{
    replaceControlRoot(new CAboutRoot(this));
}

bool CAboutWindow::loadPicture()
{
    if (std::exchange(m_pictureTried, true))
    {
        return m_picture != nullptr;
    }
    Graphics::IImage *picture = Graphics::createImage(m_folder, m_fileName);
    if (!picture)
    {
        return false;
    }
    picture->referenced();
    if (!picture->imageHasLoaded())
    {
        picture->dereference();
        return false;
    }
    m_picture = picture;
    getControlRoot().setBackgroundImage(m_picture);
    getWindowAttributes().setWindowStyles(POP_UP_STYLE, TOPMOST_LAYERED_NO_ACTIVATE_STYLE);
    getWindowAttributes().setAlpha(m_alpha);
    return true;
}

CAboutWindow::~CAboutWindow()
{
    uninitialiseWindow();
    if (m_picture)
    {
        m_picture->dereference();
    }
}

void CAboutWindow::showWindow()
{
    if (!loadPicture())
    {
        return;
    }
    setWindowArea(centredArea());
    if (!getWindowHandle())
    {
        intialiseWindow(getWindowAttributes(), false);
    }
    CWindow::showWindow();
    if (INativeWindowSystem *system = INativeWindowSystem::current(); system && getWindowHandle())
    {
        system->bringToFront(getWindowHandle());
        getMouse().captureMouse(*this);
    }
    m_shown = true;
}

void CAboutWindow::hideWindow()
{
    if (!m_shown)
    {
        return;
    }
    m_shown = false;
    if (getMouse().isCapturedBy(*this))
    {
        getMouse().releaseMouse();
    }
    CWindow::hideWindow();
}

MathTools::CRect CAboutWindow::centredArea() const
{
    const Host::SDisplayMetrics screen = Host::CDisplayMetrics::getMetrics();
    const MathTools::CDimension &size = m_picture->getImageSize();
    // Signed halves: a picture larger than the screen gets a negative origin and keeps its size.
    const long left = screen.screenWidth / 2 - size.getWidth() / 2;
    const long top = screen.screenHeight / 2 - size.getHeight() / 2;
    return MathTools::CRect(left, top, size.getWidth(), size.getHeight());
}
} // namespace Orvalite::GUI::Windowing
