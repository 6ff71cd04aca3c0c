#include "gui/controls/base/CControlDescriptor.h"

#include "foundation/basics/CBool.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"
#include "foundation/io/CXMLNode.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/fonts/CFont.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace Orvalite::GUI::Controls
{
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CControlDescriptor, "CControlDescriptor", "CCountedObject")

namespace
{
const char *const s_typeNames[] = {"rect",  "image",  "colour",    "boolean", "integer",
                                   "float", "string", "selection", "font"};

// A whole decimal integer and nothing else.
bool parseLong(const CString &text, long &valueOut)
{
    const char *begin = text.getString();
    char *end = nullptr;
    errno = 0;
    valueOut = std::strtol(begin, &end, 10);
    return end != begin && *end == '\0' && errno == 0;
}
} // namespace

CControlDescriptor::CControlDescriptor(const CString &name, uint32_t type, ::Orvalite::Basics::ICountedObject *value)
    : m_name(name), m_type(type)
{
    setValue(value);
}

CControlDescriptor::~CControlDescriptor()
{
    setValue(nullptr);
}

void CControlDescriptor::setValue(::Orvalite::Basics::ICountedObject *value)
{
    if (value)
    {
        value->referenced();
    }
    if (m_value)
    {
        m_value->dereference();
    }
    m_value = value;
}

bool CControlDescriptor::isValueOfClass(const ::Orvalite::Basics::CClass &type) const
{
    return m_value && m_value->getClass().isTypeOf(type);
}

bool CControlDescriptor::valueToText(CString &textOut) const
{
    switch (m_type)
    {
    case e_rect:
        return apply<MathTools::CRect>(
            [&](const MathTools::CRect &rect) { textOut = MathTools::CRect::toString(rect); });
    case e_colour:
        return apply<Basics::CAlphaColour>(
            [&](const Basics::CAlphaColour &colour) { textOut = Basics::CAlphaColour::toString(colour); });
    case e_boolean:
        return apply<::Orvalite::Basics::CBool>(
            [&](const ::Orvalite::Basics::CBool &flag) { textOut = flag.toString(); });
    case e_integer:
        return apply<::Orvalite::Basics::CLong>(
            [&](const ::Orvalite::Basics::CLong &number) { textOut = CString::fromLong(number.getValue()); });
    case e_float:
        return apply<::Orvalite::Basics::CFloat>(
            [&](const ::Orvalite::Basics::CFloat &number) { textOut = CString::fromFloat(number.getValue()); });
    case e_image:
    case e_string:
        return apply<CString>([&](const CString &text) { textOut = text; });
    case e_selection:
        textOut = CString::fromLong(m_extra);
        return true;
    case e_font:
        textOut = "";
        return true;
    default:
        return false;
    }
}

bool CControlDescriptor::writeToXML(IO::CXMLNode &parent) const
{
    CString text;
    if (m_type > e_font || !valueToText(text))
    {
        return false;
    }
    IO::CXMLNode *node = parent.addChildNode("descriptor");
    node->addAttribute("type", s_typeNames[m_type]);
    node->addAttribute("name", m_name);
    node->addAttribute("object", text);
    if (m_type == e_font)
    {
        const auto *font = dynamic_cast<const Fonts::CFont *>(m_value);
        return font && font->serialiseToXML(node->addChildNode("Font"));
    }
    return true;
}

bool CControlDescriptor::valueFromText(const CString &text, const IO::CXMLNode &node)
{
    long number = 0;
    switch (m_type)
    {
    case e_rect:
        setValue(new MathTools::CRect(MathTools::CRect::fromString(text)));
        return true;
    case e_colour:
        setValue(new Basics::CAlphaColour(Basics::CAlphaColour::fromString(text)));
        return true;
    case e_boolean:
        setValue(new ::Orvalite::Basics::CBool(text == "True" || text == "true"));
        return text == "True" || text == "False" || text == "true" || text == "false";
    case e_integer:
        setValue(new ::Orvalite::Basics::CLong(parseLong(text, number) ? number : 0));
        return parseLong(text, number);
    case e_float:
        setValue(new ::Orvalite::Basics::CFloat(static_cast<float>(CString::toDouble(text))));
        return true;
    case e_image:
    case e_string:
        setValue(new CString(text));
        return true;
    case e_selection:
        m_extra = parseLong(text, number) ? number : -1;
        return parseLong(text, number);
    default: {
        const IO::CXMLNode *fontNode = node.getChildNode("Font");
        auto *font = new Fonts::CFont();
        setValue(font);
        return fontNode && font->readFromXML(fontNode);
    }
    }
}

bool CControlDescriptor::readFromXML(const IO::CXMLNode &node)
{
    if (!node.getAttribute("type") || !node.getAttribute("name") || !node.getAttribute("object"))
    {
        return false;
    }
    const CString type = node.getAttributeValue("type");
    for (uint32_t index = e_rect; index <= e_font; ++index)
    {
        if (type == s_typeNames[index])
        {
            m_type = index;
            m_name = node.getAttributeValue("name");
            return valueFromText(node.getAttributeValue("object"), node);
        }
    }
    return false;
}
} // namespace Orvalite::GUI::Controls
