// zelo_gallery OUTPUT.png [SKIN_FOLDER [SCROLL_BAR_FOLDER]]: lays out one of
// every control the factory makes, each captioned with its class, and a popup
// button with its note-length menu open, in one headless window, and writes its
// picture. The controls that take images wear the editor's skin from
// SKIN_FOLDER; the scroll bars find their default images in SCROLL_BAR_FOLDER,
// which becomes the image manager's root.
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/host/CDisplayMetrics.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/menus/CNoteLengthMenu.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CBlitter.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/CPNGWriter.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"
#include "tools/gallery/CGalleryCatalogue.h"

#include <algorithm>
#include <iostream>

// fontconfig keeps its configuration for the life of the process; LeakSanitizer
// (asan builds) is told so.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace
{
using namespace Orvalite::GUI::Controls;
using namespace Orvalite::GUI::Windowing;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CBlitter;
using Orvalite::MathTools::CRect;
using Zelo::Tools::CGalleryCatalogue;
using Zelo::Tools::CGallerySkin;

constexpr long CANVAS_WIDTH = 980;
constexpr long MARGIN = 16;
constexpr long CAPTION_HEIGHT = 18;
constexpr long CELL_WIDTH = 110;
// Room below the last row for the open menu and its sub-menu.
constexpr long MENU_ROOM = 300;

void addCaption(CControlRoot &root, const char *text, long left, long top, long width)
{
    auto *caption = new CTextLabel(&root, -1, CRect(left, top, width, CAPTION_HEIGHT), text);
    caption->setTextAlignment(1);
    root.addControl(caption);
}

// Places the controls in rows, left to right; answers the height they take.
long layOut(CControlRoot &root, CGallerySkin &skin)
{
    long left = MARGIN;
    long top = MARGIN;
    long rowHeight = 0;
    for (const auto &entry : CGalleryCatalogue::entries())
    {
        IControl *control = nullptr;
        if (!CControlFactory::createControl(entry.typeName, control, &root))
        {
            std::cerr << "zelo_gallery: the factory makes no " << entry.typeName << "\n";
            continue;
        }
        if (entry.setUp)
        {
            entry.setUp(*control, skin);
        }
        const long width = control->getArea().getWidth();
        const long height = control->getArea().getHeight();
        const long cell = std::max(width, CELL_WIDTH);
        if (left + cell > CANVAS_WIDTH - MARGIN)
        {
            left = MARGIN;
            top += rowHeight + MARGIN;
            rowHeight = 0;
        }
        control->setArea(CRect(left + (cell - width) / 2, top, width, height));
        root.addControl(control);
        addCaption(root, entry.typeName, left, top + height + 2, cell);
        left += cell + MARGIN;
        rowHeight = std::max(rowHeight, height + CAPTION_HEIGHT + 2);
    }
    return top + rowHeight + MARGIN;
}

// The window's picture over an opaque background, then each open menu window's.
CBitmap compose(const CHeadlessWindowSystem &system, const CWindow &window, const CMenuWindow &menu)
{
    CBitmap picture;
    picture.create(window.getWindowArea().getWidth(), window.getWindowArea().getHeight());
    picture.fill(CBitmap::pack(222, 222, 226, 255));
    const auto paste = [&](const CWindow &source) {
        const CBitmap &screen = system.findWindow(source.getWindowHandle())->screen;
        const CRect &area = source.getWindowArea();
        for (long y = 0; y < screen.getHeight(); ++y)
        {
            for (long x = 0; x < screen.getWidth(); ++x)
            {
                const uint32_t over = screen.getPixel(x, y);
                const long left = area.getLeft() + x, top = area.getTop() + y;
                if (picture.contains(left, top))
                {
                    picture.setPixel(left, top, CBlitter::blendOver(picture.getPixel(left, top), over, 255));
                }
            }
        }
    };
    paste(window);
    for (const CMenuWindow *open = &menu; open && open->isOpen(); open = open->getOpenSubMenu())
    {
        paste(*open);
    }
    return picture;
}

long s_screenHeight = 0;

int writeGallery(const char *output, CGallerySkin &skin)
{
    CHeadlessWindowSystem system;
    INativeWindowSystem::install(&system);
    int status = 0;
    {
        CWindow window(CRect(0, 0, CANVAS_WIDTH, 100));
        CControlRoot &root = window.getControlRoot();
        const long top = layOut(root, skin);
        auto *noteLength = new CPopupButton(&root, -1, CRect(MARGIN, top, 110, 30), new CNoteLengthMenu());
        noteLength->setLabelText("Note length");
        root.addControl(noteLength);
        s_screenHeight = top + 30 + MENU_ROOM;
        Orvalite::Host::CDisplayMetrics::setProvider([] {
            return Orvalite::Host::SDisplayMetrics{1, CANVAS_WIDTH, s_screenHeight};
        });
        window.setWindowArea(CRect(0, 0, CANVAS_WIDTH, s_screenHeight));
        window.intialiseWindow(window.getWindowAttributes(), true);

        // Click the button, then open "Triplet" and go down to its third length.
        const intptr_t at = static_cast<intptr_t>((MARGIN + 10) | ((top + 10) << 16));
        system.send(window.getWindowHandle(), e_leftButtonDown, 0, at);
        system.send(window.getWindowHandle(), e_leftButtonUp, 0, at);
        CMenuWindow &menu = *noteLength->getMenuWindow();
        for (uint32_t key : {0x28u, 0x28u, 0x27u, 0x28u, 0x28u})
        {
            system.send(menu.getWindowHandle(), e_keyDown, key, 0);
        }
        window.redrawWindow();
        system.pump();

        Orvalite::Basics::CString error;
        if (!Orvalite::GUI::Graphics::CPNGWriter::writeToFile(compose(system, window, menu), output, error))
        {
            std::cerr << "zelo_gallery: " << error.getString() << "\n";
            status = 1;
        }
        window.uninitialiseWindow();
    }
    Orvalite::Host::CDisplayMetrics::setProvider(nullptr);
    INativeWindowSystem::install(nullptr);
    return status;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 4)
    {
        std::cerr << "usage: zelo_gallery OUTPUT.png [SKIN_FOLDER [SCROLL_BAR_FOLDER]]\n";
        return 2;
    }
    Orvalite::Basics::CApplicationInformation::setProductName("Zelo");
    Orvalite::GUI::Fonts::CFont::createDefaultFont();
    if (argc == 4)
    {
        Orvalite::GUI::Graphics::CImageManager::setRootPath(argv[3]);
    }
    int status = 0;
    {
        CGallerySkin skin(argc >= 3 ? argv[2] : nullptr);
        status = writeGallery(argv[1], skin);
    }
    Orvalite::GUI::Graphics::CImageManager::destroy();
    Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    return status;
}
