// The descriptors a catalogue control adds to its parent's, bound to the
// fields that hold them, so that listing, applying and filling stay in step.
// A short-lived table a control builds whenever it needs it; owns nothing.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/collections/TCountedPointerArray.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/controls/base/CControlDescriptor.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
class IImage;
}

namespace Orvalite::GUI::Controls
{
class CDescriptorFields
{
public:
    CDescriptorFields &colour(const char *name, Basics::CAlphaColour &field);
    CDescriptorFields &flag(const char *name, bool &field);
    // Values outside minimum … maximum are refused.
    CDescriptorFields &integer(const char *name, long &field, long minimum, long maximum);
    CDescriptorFields &real(const char *name, double &field, double minimum, double maximum);
    CDescriptorFields &text(const char *name, ::Orvalite::Basics::CString &field);
    // A counted reference, looked up in the image manager by reference name;
    // an unknown name clears it.
    CDescriptorFields &image(const char *name, Graphics::IImage *&field);
    // An index into `count` choices.
    CDescriptorFields &selection(const char *name, long &field, long count);

    void addTo(Collections::TCountedPointerArray<CControlDescriptor> &list) const;
    bool contains(const CControlDescriptor &descriptor) const { return find(descriptor) != nullptr; }
    // False (changing nothing) for a name not in the table, a value of the
    // wrong type or one outside the field's range.
    bool apply(const CControlDescriptor &descriptor) const;
    // False for a name not in the table; the fields are only read.
    bool fill(CControlDescriptor &descriptor) const;

    // References the new image before releasing the old: they may be the same.
    static void replaceImage(Graphics::IImage *&held, Graphics::IImage *image);

private:
    struct SField
    {
        const char *name;
        CControlDescriptor::EType type;
        void *field;
        double minimum;
        double maximum;
    };

    CDescriptorFields &add(const char *name, CControlDescriptor::EType type, void *field, double minimum = 0.0,
                           double maximum = 0.0);
    const SField *find(const CControlDescriptor &descriptor) const;

    std::vector<SField> m_fields;
};
} // namespace Orvalite::GUI::Controls
