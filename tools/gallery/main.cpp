// zelo_gallery OUTPUT.png [SKIN_FOLDER]: lays out one of every control the
// factory makes, each captioned with its class, and a popup button with its
// note-length menu open, in one headless window, and writes its picture. The
// editor's knob and buttons wear the skin images when SKIN_FOLDER holds them.
#include "foundation/basics/CApplicationInformation.h"
#include "foundation/host/CDisplayMetrics.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/controls/buttons/CButton.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuBar.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/controls/menus/CNoteLengthMenu.h"
#include "gui/controls/menus/CPopupButton.h"
#include "gui/controls/sliders/CKnob.h"
#include "gui/controls/text/CTextLabel.h"
#include "gui/controls/views/CTableView.h"
#include "gui/controls/views/CTreeView.h"
#include "gui/controls/views/ITableViewDataSource.h"
#include "gui/controls/views/ITreeViewDataSource.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CPNGWriter.h"
#include "gui/graphics/IImage.h"
#include "gui/graphics/ImageFactory.h"
#include "gui/windowing/CWindow.h"
#include "gui/windowing/WindowMessage.h"
#include "gui/windowing/headless/CHeadlessWindowSystem.h"

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
using Orvalite::GUI::Graphics::IImage;
using Orvalite::MathTools::CRect;

constexpr long CANVAS_WIDTH = 980;
constexpr long MARGIN = 16;
constexpr long CAPTION_HEIGHT = 18;
constexpr long CELL_WIDTH = 110;
// Room below the last row for the open menu and its sub-menu.
constexpr long MENU_ROOM = 300;

// The editor's skin images, each null when missing.
struct SSkin
{
    IImage *knob = nullptr;
    IImage *buttonUp = nullptr;
    IImage *buttonDown = nullptr;
};

using TSetUp = void (*)(IControl &control, const SSkin &skin);

void wearKnobStrip(IControl &control, const SSkin &skin)
{
    control.setValue(0.6);
    if (skin.knob)
    {
        // Square frames stacked downwards.
        const long side = skin.knob->getImageSize().getWidth();
        control.setArea(CRect(0, 0, side, side));
        static_cast<CKnob &>(control).setAnimation(skin.knob, side, skin.knob->getImageSize().getHeight() / side,
                                                   false);
    }
}

void wearButtonImages(IControl &control, const SSkin &skin)
{
    if (skin.buttonUp && skin.buttonDown)
    {
        control.setArea(skin.buttonUp->getImageSizeArea());
        control.setPrimaryImage(skin.buttonDown);
        static_cast<CButton &>(control).setDownImage(skin.buttonUp);
    }
}

void showHalfway(IControl &control, const SSkin &)
{
    control.setValue(0.5);
}

void drawDefault(IControl &control, const SSkin &)
{
    control.setDefaultDrawing(true);
}

void fillMenuBar(IControl &control, const SSkin &)
{
    for (const char *title : {"File", "Edit", "View"})
    {
        auto *menu = new CMenu(title);
        menu->addItem(new CMenuItem(title, 0));
        static_cast<CMenuBar &>(control).addMenu(menu);
    }
}

// A few rows of presets for the table view to show.
class CPresetRows : public ITableViewDataSource
{
public:
    long getNumberOfRows() const override { return 6; }
    Orvalite::Basics::CString getCellText(long row, long column) const override
    {
        static const char *const s_names[] = {"Basic Doubler", "Double Take", "Acoustic Guitar",
                                              "Vocals",        "Vocals wide", "Slap back"};
        return column == 0 ? s_names[row] : (row % 2 ? "B" : "A");
    }
};

// Two voices and the master section, the first voice opened.
class CSectionTree : public ITreeViewDataSource
{
public:
    CSectionTree()
    {
        m_root->referenced();
        TNode *voice = add(m_root, "Voice One");
        for (const char *label : {"Pitch", "Delay", "Feedback"})
        {
            add(voice, label);
        }
        add(add(m_root, "Voice Two"), "Pitch");
        add(m_root, "Master");
    }
    ~CSectionTree() override { m_root->dereference(); }
    CSectionTree(const CSectionTree &) = delete;
    CSectionTree &operator=(const CSectionTree &) = delete;
    TNode *getRootNode() const override { return m_root; }

private:
    static TNode *add(TNode *parent, const char *label)
    {
        auto *node = new TNode();
        node->setValue(new Orvalite::Basics::CString(label));
        parent->addChild(node);
        return node;
    }

    TNode *m_root = new TNode();
};

void fillTable(IControl &control, const SSkin &)
{
    static CPresetRows s_rows;
    auto &table = static_cast<CTableView &>(control);
    table.addColumn("Program", 130);
    table.addColumn("Half", 50);
    table.setDataSource(&s_rows);
}

void fillTree(IControl &control, const SSkin &)
{
    static CSectionTree s_tree;
    auto &tree = static_cast<CTreeView &>(control);
    tree.setDataSource(&s_tree);
    tree.setExpanded(s_tree.getRootNode()->getChildAtIndex(0), true);
}

// One line per control: its class and what it is given to show (nothing: its defaults).
const struct
{
    const char *typeName;
    TSetUp setUp;
} s_gallery[] = {
    {"CKnob", wearKnobStrip},
    {"CLatchingButton", wearButtonImages},
    {"CMomentaryButton", wearButtonImages},
    {"CTextLabel", nullptr},
    {"CSlider", showHalfway},
    {"CSliderArray", nullptr},
    {"CCenterSlider", showHalfway},
    {"CRangeSlider", nullptr},
    {"CModulatedSlider", nullptr},
    {"CXYPad", nullptr},
    {"CModulatedXYPad", nullptr},
    {"CADSREditor", nullptr},
    {"CWaveCycle", nullptr},
    {"CLevelMeter", showHalfway},
    {"CProgressBar", showHalfway},
    {"CStepLabel", nullptr},
    {"CTriStateImage", nullptr},
    {"CImageLabel", nullptr},
    {"CAreaBox", nullptr},
    {"CAnimation", nullptr},
    {"CAnimationFrame", nullptr},
    {"CAutoAnimation", nullptr},
    {"CRolloverButton", nullptr},
    {"CRepeatingButton", nullptr},
    {"CRadioButton", nullptr},
    {"CControlPanel", drawDefault},
    {"CPopupButton", nullptr},
    {"CComboBox", nullptr},
    {"CMenuBar", fillMenuBar},
    {"CTextEdit", nullptr},
    {"CWindowDragTab", drawDefault},
    {"CScrollBar", showHalfway},
    {"CScrollPanel", drawDefault},
    {"CTabPanel", nullptr},
    {"CTableView", fillTable},
    {"CTreeView", fillTree},
    {"CPresetBrowser", nullptr},
};

IImage *loadImage(const char *folder, const char *fileName)
{
    IImage *image = folder ? Orvalite::GUI::Graphics::createImage(folder, fileName) : nullptr;
    if (!image)
    {
        return nullptr;
    }
    image->referenced();
    if (!image->imageHasLoaded())
    {
        image->dereference();
        return nullptr;
    }
    return image;
}

void addCaption(CControlRoot &root, const char *text, long left, long top, long width)
{
    auto *caption = new CTextLabel(&root, -1, CRect(left, top, width, CAPTION_HEIGHT), text);
    caption->setTextAlignment(1);
    root.addControl(caption);
}

// Places the controls in rows, left to right; answers the height they take.
long layOut(CControlRoot &root, const SSkin &skin)
{
    long left = MARGIN;
    long top = MARGIN;
    long rowHeight = 0;
    for (const auto &entry : s_gallery)
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
                if (!picture.contains(area.getLeft() + x, area.getTop() + y) || CBitmap::alphaOf(over) == 0)
                {
                    continue;
                }
                // Premultiplied "over".
                const uint32_t under = picture.getPixel(area.getLeft() + x, area.getTop() + y);
                const uint32_t keep = 255 - CBitmap::alphaOf(over);
                const auto channel = [&](uint32_t (*of)(uint32_t)) {
                    return of(over) + (of(under) * keep + 127) / 255;
                };
                picture.setPixel(
                    area.getLeft() + x, area.getTop() + y,
                    CBitmap::pack(channel(CBitmap::redOf), channel(CBitmap::greenOf), channel(CBitmap::blueOf), 255));
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

int writeGallery(const char *output, const SSkin &skin)
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
    if (argc < 2 || argc > 3)
    {
        std::cerr << "usage: zelo_gallery OUTPUT.png [SKIN_FOLDER]\n";
        return 2;
    }
    Orvalite::Basics::CApplicationInformation::setProductName("Zelo");
    Orvalite::GUI::Fonts::CFont::createDefaultFont();
    const char *folder = argc == 3 ? argv[2] : nullptr;
    SSkin skin{loadImage(folder, "knob.png"), loadImage(folder, "buttonUp.png"), loadImage(folder, "buttonDown.png")};
    const int status = writeGallery(argv[1], skin);
    for (IImage *image : {skin.knob, skin.buttonUp, skin.buttonDown})
    {
        if (image)
        {
            image->dereference();
        }
    }
    Orvalite::GUI::Fonts::CFont::releaseDefaultFont();
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
    return status;
}
