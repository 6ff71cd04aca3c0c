#include "gui/controls/base/CControl.h"

#include "foundation/basics/CBool.h"
#include "foundation/basics/CException.h"
#include "foundation/basics/CLong.h"
#include "foundation/io/CXMLNode.h"
#include "gui/controls/base/CControlDescriptor.h"
#include "gui/controls/base/IControlRoot.h"
#include "gui/events/CActionEvent.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/IImage.h"
#include "gui/listeners/IActionListener.h"

#include <cstdio>
#include <cstdlib>

namespace Orvalite::GUI::Controls
{
using MathTools::CRect;
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CLong;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CControl, "CControl", "CCountedObject")

namespace
{
struct SDescriptorEntry
{
    const char *name;
    CControlDescriptor::EType type;
};

const SDescriptorEntry s_descriptors[] = {
    {"Control Name", CControlDescriptor::e_string},       {"Control ID", CControlDescriptor::e_integer},
    {"Mouse Enabled", CControlDescriptor::e_boolean},     {"Keyboard Enabled", CControlDescriptor::e_boolean},
    {"Drop File Enabled", CControlDescriptor::e_boolean}, {"Is Enabled", CControlDescriptor::e_boolean},
    {"Default Drawing", CControlDescriptor::e_boolean},   {"Area", CControlDescriptor::e_rect},
    {"Primary Image", CControlDescriptor::e_image},       {"Disabled Image", CControlDescriptor::e_image},
    {"Frame Colour", CControlDescriptor::e_colour},       {"Background Colour", CControlDescriptor::e_colour},
};

bool isReasonable(const CRect &area)
{
    const long limit = CControl::MAXIMUM_COORDINATE;
    return area.getWidth() >= 0 && area.getHeight() >= 0 && area.getWidth() <= limit && area.getHeight() <= limit &&
           std::labs(area.getLeft()) <= limit && std::labs(area.getTop()) <= limit;
}
} // namespace

CControl::CControl(IControlRoot *root, long uniqueId, const CRect &area, Listeners::IActionListener *actionListener)
    : m_actionListener(actionListener), m_uniqueId(uniqueId)
{
    setControlRoot(root);
    CControl::setArea(area);
}

CControl::~CControl()
{
    replaceImage(m_primaryImage, nullptr);
    replaceImage(m_disabledImage, nullptr);
}

void CControl::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "%s", "Control");
    }
}

void CControl::setControlRoot(IControlRoot *root)
{
    if (!root)
    {
        throw Exceptions::CException("Control root is null", "CControl::setControlRoot(IControlRoot *)", false);
    }
    m_root = root;
}

void CControl::setArea(const CRect &area)
{
    m_area = area;
    m_normalisedArea = CRect(0, 0, area.getWidth(), area.getHeight());
    m_size = MathTools::CDimension(area.getWidth(), area.getHeight());
    const MathTools::CPoint offset = m_root->getWindowOffset();
    m_windowArea = CRect(offset.getXPosition() + area.getLeft(), offset.getYPosition() + area.getTop(), area.getWidth(),
                         area.getHeight());
}

void CControl::update()
{
    m_root->updateControl(this);
}

void CControl::fireActionEvent()
{
    if (m_actionListener)
    {
        const Events::CActionEvent event(this);
        m_actionListener->handleActionEvent(event);
    }
}

void CControl::beginGesture()
{
    if (!m_inGesture)
    {
        m_inGesture = true;
        if (m_gestureListener)
        {
            m_gestureListener->handleGestureBegin(*this);
        }
    }
}

void CControl::endGesture()
{
    if (m_inGesture)
    {
        m_inGesture = false;
        if (m_gestureListener)
        {
            m_gestureListener->handleGestureEnd(*this);
        }
    }
}

void CControl::setDefaultControlColours(const Basics::CAlphaColour &background, const Basics::CAlphaColour &frame)
{
    m_backgroundColour = background;
    m_frameColour = frame;
}

void CControl::replaceImage(Graphics::IImage *&held, Graphics::IImage *image)
{
    if (image)
    {
        image->referenced();
    }
    if (held)
    {
        held->dereference();
    }
    held = image;
}

bool CControl::drawDisabledControl(Graphics::CGraphics &graphics)
{
    if (!m_enabled && m_disabledImage)
    {
        graphics.drawImage(m_disabledImage, m_normalisedArea, m_disabledImage->getImageSizeArea());
    }
    return m_enabled;
}

void CControl::drawPrimaryImage(Graphics::CGraphics &graphics, bool drawFrame)
{
    if (drawPrimaryImageOnly(graphics) || !drawFrame)
    {
        return;
    }
    graphics.getBrush()->setColour(m_backgroundColour);
    graphics.getPen()->setColour(m_frameColour);
    graphics.drawFilledBorderedRectangle(m_normalisedArea);
}

bool CControl::drawPrimaryImageOnly(Graphics::CGraphics &graphics)
{
    if (m_primaryImage)
    {
        graphics.drawImage(m_primaryImage, m_normalisedArea, m_primaryImage->getImageSizeArea());
    }
    return m_primaryImage != nullptr;
}

void CControl::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    for (const SDescriptorEntry &entry : s_descriptors)
    {
        list.addElement(new CControlDescriptor(entry.name, entry.type));
    }
}

bool CControl::setDescriptor(const CControlDescriptor &descriptor)
{
    const CString &name = descriptor.getName();
    const auto flag = [&](void (CControl::*set)(bool)) {
        return descriptor.apply<CBool>([&](const CBool &value) { (this->*set)(value.getValue()); });
    };
    const auto image = [&](void (CControl::*set)(Graphics::IImage *)) {
        return descriptor.apply<CString>(
            [&](const CString &value) { (this->*set)(Graphics::CImageManager::getImage(value)); });
    };
    const auto colour = [&](Basics::CAlphaColour &target) {
        return descriptor.apply<Basics::CAlphaColour>([&](const Basics::CAlphaColour &value) { target = value; });
    };
    if (name == "Control Name")
    {
        return descriptor.apply<CString>([&](const CString &value) { setName(value); });
    }
    if (name == "Control ID")
    {
        return descriptor.apply<CLong>([&](const CLong &value) { setUniqueId(value.getValue()); });
    }
    if (name == "Mouse Enabled")
    {
        return flag(&CControl::setMouseEnabled);
    }
    if (name == "Keyboard Enabled")
    {
        return flag(&CControl::setKeyboardEnabled);
    }
    if (name == "Drop File Enabled")
    {
        return flag(&CControl::setDropFileEnabled);
    }
    if (name == "Is Enabled")
    {
        return descriptor.apply<CBool>([&](const CBool &value) { value.getValue() ? enable() : disable(); });
    }
    if (name == "Default Drawing")
    {
        return flag(&CControl::setDefaultDrawing);
    }
    if (name == "Area")
    {
        const auto *area = dynamic_cast<const CRect *>(descriptor.getValue());
        if (area && isReasonable(*area))
        {
            setArea(*area);
        }
        return area && isReasonable(*area);
    }
    if (name == "Primary Image")
    {
        return image(&CControl::setPrimaryImage);
    }
    if (name == "Disabled Image")
    {
        return image(&CControl::setDisabledImage);
    }
    if (name == "Frame Colour")
    {
        return colour(m_frameColour);
    }
    return name == "Background Colour" && colour(m_backgroundColour);
}

void CControl::fillDescriptor(CControlDescriptor &descriptor) const
{
    const CString &name = descriptor.getName();
    if (name == "Control Name")
    {
        descriptor.setValue(new CString(m_name));
    }
    else if (name == "Control ID")
    {
        descriptor.setValue(new CLong(m_uniqueId));
    }
    else if (name == "Mouse Enabled")
    {
        descriptor.setValue(new CBool(m_mouseEnabled));
    }
    else if (name == "Keyboard Enabled")
    {
        descriptor.setValue(new CBool(m_keyboardEnabled));
    }
    else if (name == "Drop File Enabled")
    {
        descriptor.setValue(new CBool(m_dropFileEnabled));
    }
    else if (name == "Is Enabled")
    {
        descriptor.setValue(new CBool(m_enabled));
    }
    else if (name == "Default Drawing")
    {
        descriptor.setValue(new CBool(m_defaultDrawing));
    }
    else if (name == "Area")
    {
        descriptor.setValue(new CRect(m_area));
    }
    else if (name == "Primary Image")
    {
        descriptor.setValue(new CString(Graphics::CImageManager::getReferenceName(m_primaryImage)));
    }
    else if (name == "Disabled Image")
    {
        descriptor.setValue(new CString(Graphics::CImageManager::getReferenceName(m_disabledImage)));
    }
    else if (name == "Frame Colour")
    {
        descriptor.setValue(new Basics::CAlphaColour(m_frameColour));
    }
    else if (name == "Background Colour")
    {
        descriptor.setValue(new Basics::CAlphaColour(m_backgroundColour));
    }
}

bool CControl::serialiseToXML(IO::CXMLNode &node)
{
    Collections::TCountedPointerArray<CControlDescriptor> descriptors;
    getDescriptors(descriptors);
    const long count = descriptors.getInsertIndex();
    node.addAttribute("number_of_descriptors", CString::fromLong(count));
    for (long index = 0; index < count; ++index)
    {
        CControlDescriptor *descriptor = descriptors.getElementAtIndex(index);
        fillDescriptor(*descriptor);
        if (!descriptor->writeToXML(node))
        {
            return false;
        }
    }
    return true;
}

bool CControl::readFromXML(const IO::CXMLNode &node)
{
    long declared = 0;
    if (!node.getAttribute("number_of_descriptors"))
    {
        return false;
    }
    declared = CString::toInt(node.getAttributeValue("number_of_descriptors").getString());
    if (declared == 0)
    {
        return true;
    }
    long applied = 0;
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        const IO::CXMLNode *child = node.getChildNode(index);
        if (child->getNodeName() != "descriptor")
        {
            continue;
        }
        CControlDescriptor descriptor;
        if (!descriptor.readFromXML(*child) || !setDescriptor(descriptor))
        {
            return false;
        }
        ++applied;
    }
    return applied == declared;
}
} // namespace Orvalite::GUI::Controls
