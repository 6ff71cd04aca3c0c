#include "gui/controls/menus/CComboBox.h"

#include "foundation/basics/CException.h"
#include "foundation/mathtools/CPolygon.h"
#include "gui/controls/menus/CMenu.h"
#include "gui/controls/menus/CMenuItem.h"
#include "gui/events/CMenuEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/IImage.h"
#include "gui/listeners/IActionListener.h"

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;

ORVALITE_DEFINE_CLASS_RECORD(CComboBox, "CComboBox", "CTextLabel")

CComboBox::CComboBox(IControlRoot *root, long uniqueId, const CRect &area, const ::Orvalite::Basics::CString &text,
                     CMenu *menu)
    : CTextLabel(root, uniqueId, area, text), m_menu(menu)
{
    if (!m_menu)
    {
        throw Exceptions::CException(
            "Menu is NULL", "CComboBox::CComboBox(IControlRoot *, const long, const CRect &, const CString &, CMenu *)",
            false);
    }
    m_menu->referenced();
    setMouseEnabled(true);
    setDropFileEnabled(false);
}

CComboBox::~CComboBox()
{
    m_menuWindow.reset();
    CDescriptorFields::replaceImage(m_downImage, nullptr);
    m_menu->dereference();
}

CDescriptorFields CComboBox::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CComboBox *>(this);
    return CDescriptorFields().flag("Use Icons", self->m_useIcons).image("Down Image", self->m_downImage);
}

void CComboBox::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CTextLabel::getDescriptors(list);
    describe().addTo(list);
}

bool CComboBox::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CTextLabel::setDescriptor(descriptor);
}

void CComboBox::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CTextLabel::fillDescriptor(descriptor);
    }
}

void CComboBox::handleLeftButtonDown(const Events::CMouseEvent &)
{
    if (!m_menuWindow)
    {
        m_menuWindow = std::make_unique<CMenuWindow>(*this);
    }
    m_menuWindow->popUp(m_menu, CMenuWindow::screenAreaOf(*this));
    update();
}

void CComboBox::menuItemChosen(CMenuItem &item)
{
    setText(item.getText());
    if (m_useIcons)
    {
        for (long index = 0; index < m_menu->getNumberOfItems(); ++index)
        {
            m_menu->getItem(index)->setTicked(m_menu->getItem(index) == &item);
        }
    }
    if (Listeners::IActionListener *listener = getActionListener())
    {
        listener->handleActionEvent(Events::CMenuEvent(this, item.getId()));
    }
}

void CComboBox::drawControl(Graphics::CGraphics &graphics)
{
    CTextLabel::drawControl(graphics);
    drawArrowBox(graphics);
}

void CComboBox::drawArrowBox(Graphics::CGraphics &graphics) const
{
    const CRect &area = getNormalisedArea();
    const long side = area.getHeight();
    const CRect box(area.getWidth() - side, 0, side, side);
    if (m_downImage && m_menuWindow && m_menuWindow->isOpen())
    {
        graphics.drawImage(m_downImage, box, m_downImage->getImageSizeArea());
        return;
    }
    graphics.getBrush()->setColour(getTextColour());
    MathTools::CPolygon arrow(3);
    arrow.getPoint(0)->setPoint(box.getLeft() + side / 4, side * 2 / 5);
    arrow.getPoint(1)->setPoint(box.getRight() - side / 4, side * 2 / 5);
    arrow.getPoint(2)->setPoint(box.getLeft() + side / 2, side * 7 / 10);
    graphics.fillPolygon(arrow);
}
} // namespace Orvalite::GUI::Controls
