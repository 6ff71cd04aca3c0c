// One named, typed attribute of a control (its name, area, an image, a
// colour …): the unit in which controls describe, save and restore themselves.
// Made by a control's getDescriptors and owned by the list that holds it.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

#include <cstdint>

namespace Orvalite::IO
{
class CXMLNode;
}

namespace Orvalite::GUI::Controls
{
class CControlDescriptor : public ::Orvalite::Basics::CCountedObject
{
public:
    // The value each type carries: CRect, the image's reference name (CString),
    // CAlphaColour, CBool, CLong, CFloat, CString, none (the extra is the
    // chosen index), CFont.
    enum EType : uint32_t
    {
        e_rect,
        e_image,
        e_colour,
        e_boolean,
        e_integer,
        e_float,
        e_string,
        e_selection,
        e_font,
    };

    // The value is counted.
    explicit CControlDescriptor(const ::Orvalite::Basics::CString &name = "Empty", uint32_t type = e_integer,
                                ::Orvalite::Basics::ICountedObject *value = nullptr);
    CControlDescriptor(const CControlDescriptor &) = delete;
    CControlDescriptor &operator=(const CControlDescriptor &) = delete;
    ~CControlDescriptor() override;

    const ::Orvalite::Basics::CString &getName() const { return m_name; }
    uint32_t getType() const { return m_type; }
    void setType(uint32_t type) { m_type = type; }
    ::Orvalite::Basics::ICountedObject *getValue() const { return m_value; }
    void setValue(::Orvalite::Basics::ICountedObject *value);
    long getExtra() const { return m_extra; }
    void setExtra(long extra) { m_extra = extra; }
    // False without a value.
    bool isValueOfClass(const ::Orvalite::Basics::CClass &type) const;

    // Hands the value to `apply` when it is a T; false (applying nothing) otherwise.
    template <class T, class F> bool apply(F apply) const
    {
        const T *value = dynamic_cast<const T *>(m_value);
        if (value)
        {
            apply(*value);
        }
        return value != nullptr;
    }

    // Adds a "descriptor" child with "type", "name" and "object" (a font as a "Font" child).
    bool writeToXML(IO::CXMLNode &parent) const;
    // Reads a "descriptor" node; false on a missing attribute, unknown type or malformed number.
    bool readFromXML(const IO::CXMLNode &node);

    ORVALITE_CLASS_RECORD(CControlDescriptor)

private:
    bool valueToText(::Orvalite::Basics::CString &textOut) const;
    bool valueFromText(const ::Orvalite::Basics::CString &text, const IO::CXMLNode &node);

    ::Orvalite::Basics::CString m_name;
    uint32_t m_type;
    ::Orvalite::Basics::ICountedObject *m_value = nullptr;
    long m_extra = -1;
};
} // namespace Orvalite::GUI::Controls
