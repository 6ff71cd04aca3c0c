#include "gui/controls/base/CDescriptorFields.h"

#include "foundation/basics/CBool.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"
#include "gui/graphics/CImageManager.h"
#include "gui/graphics/IImage.h"

#include <cstring>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using Graphics::IImage;
using ::Orvalite::Basics::CBool;
using ::Orvalite::Basics::CFloat;
using ::Orvalite::Basics::CLong;
using ::Orvalite::Basics::CString;

CDescriptorFields &CDescriptorFields::add(const char *name, CControlDescriptor::EType type, void *field, double minimum,
                                          double maximum)
{
    m_fields.push_back(SField{name, type, field, minimum, maximum});
    return *this;
}

CDescriptorFields &CDescriptorFields::colour(const char *name, CAlphaColour &field)
{
    return add(name, CControlDescriptor::e_colour, &field);
}

CDescriptorFields &CDescriptorFields::flag(const char *name, bool &field)
{
    return add(name, CControlDescriptor::e_boolean, &field);
}

CDescriptorFields &CDescriptorFields::integer(const char *name, long &field, long minimum, long maximum)
{
    return add(name, CControlDescriptor::e_integer, &field, static_cast<double>(minimum), static_cast<double>(maximum));
}

CDescriptorFields &CDescriptorFields::real(const char *name, double &field, double minimum, double maximum)
{
    return add(name, CControlDescriptor::e_float, &field, minimum, maximum);
}

CDescriptorFields &CDescriptorFields::text(const char *name, CString &field)
{
    return add(name, CControlDescriptor::e_string, &field);
}

CDescriptorFields &CDescriptorFields::image(const char *name, IImage *&field)
{
    return add(name, CControlDescriptor::e_image, &field);
}

CDescriptorFields &CDescriptorFields::selection(const char *name, long &field, long count)
{
    return add(name, CControlDescriptor::e_selection, &field, 0.0, static_cast<double>(count - 1));
}

void CDescriptorFields::addTo(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    for (const SField &field : m_fields)
    {
        list.addElement(new CControlDescriptor(field.name, field.type));
    }
}

const CDescriptorFields::SField *CDescriptorFields::find(const CControlDescriptor &descriptor) const
{
    for (const SField &field : m_fields)
    {
        if (std::strcmp(field.name, descriptor.getName().getString()) == 0)
        {
            return &field;
        }
    }
    return nullptr;
}

void CDescriptorFields::replaceImage(IImage *&held, IImage *image)
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

bool CDescriptorFields::apply(const CControlDescriptor &descriptor) const
{
    const SField *found = find(descriptor);
    if (!found)
    {
        return false;
    }
    const SField &field = *found;
    const auto inRange = [&](double value) { return value >= field.minimum && value <= field.maximum; };
    switch (field.type)
    {
    case CControlDescriptor::e_colour:
        return descriptor.apply<CAlphaColour>(
            [&](const CAlphaColour &value) { *static_cast<CAlphaColour *>(field.field) = value; });
    case CControlDescriptor::e_boolean:
        return descriptor.apply<CBool>(
            [&](const CBool &value) { *static_cast<bool *>(field.field) = value.getValue(); });
    case CControlDescriptor::e_integer: {
        const auto *value = dynamic_cast<const CLong *>(descriptor.getValue());
        const bool valid = value && inRange(static_cast<double>(value->getValue()));
        if (valid)
        {
            *static_cast<long *>(field.field) = value->getValue();
        }
        return valid;
    }
    case CControlDescriptor::e_float: {
        const auto *value = dynamic_cast<const CFloat *>(descriptor.getValue());
        const bool valid = value && inRange(value->getValue());
        if (valid)
        {
            *static_cast<double *>(field.field) = value->getValue();
        }
        return valid;
    }
    case CControlDescriptor::e_string:
        return descriptor.apply<CString>([&](const CString &value) { *static_cast<CString *>(field.field) = value; });
    case CControlDescriptor::e_image:
        return descriptor.apply<CString>([&](const CString &value) {
            replaceImage(*static_cast<IImage **>(field.field), Graphics::CImageManager::getImage(value));
        });
    case CControlDescriptor::e_selection: {
        const bool valid = descriptor.getType() == CControlDescriptor::e_selection &&
                           inRange(static_cast<double>(descriptor.getExtra()));
        if (valid)
        {
            *static_cast<long *>(field.field) = descriptor.getExtra();
        }
        return valid;
    }
    default:
        return false;
    }
}

bool CDescriptorFields::fill(CControlDescriptor &descriptor) const
{
    const SField *found = find(descriptor);
    if (!found)
    {
        return false;
    }
    const void *field = found->field;
    switch (found->type)
    {
    case CControlDescriptor::e_colour:
        descriptor.setValue(new CAlphaColour(*static_cast<const CAlphaColour *>(field)));
        break;
    case CControlDescriptor::e_boolean:
        descriptor.setValue(new CBool(*static_cast<const bool *>(field)));
        break;
    case CControlDescriptor::e_integer:
        descriptor.setValue(new CLong(*static_cast<const long *>(field)));
        break;
    case CControlDescriptor::e_float:
        descriptor.setValue(new CFloat(static_cast<float>(*static_cast<const double *>(field))));
        break;
    case CControlDescriptor::e_string:
        descriptor.setValue(new CString(*static_cast<const CString *>(field)));
        break;
    case CControlDescriptor::e_image:
        descriptor.setValue(
            new CString(Graphics::CImageManager::getReferenceName(*static_cast<IImage *const *>(field))));
        break;
    default:
        descriptor.setExtra(*static_cast<const long *>(field));
        break;
    }
    return true;
}
} // namespace Orvalite::GUI::Controls
