#include "editor/CVeltrixSkin.h"

#include "gui/graphics/ImageFactory.h"

#include <cstdio>
#include <iterator>
#include <mutex>

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CVeltrixSkin, "CVeltrixSkin", "CCountedObject")

namespace
{
// The skin of each size held by some editor now, in the order of
// CEditorScale::SIZES; each clears itself when the last editor lets go.
CVeltrixSkin *s_sharedSkins[std::size(CEditorScale::SIZES)] = {};
std::mutex s_sharedSkinsLock;

CVeltrixSkin *&sharedSkin(const CEditorScale &scale)
{
    size_t slot = 0;
    while (CEditorScale::SIZES[slot] != scale.getPercent())
    {
        ++slot;
    }
    return s_sharedSkins[slot];
}

// An image that did not load counts as none: its controls get no size.
GUI::Graphics::IImage *loadImage(const Basics::CString &folder, const Basics::CString &fileName)
{
    GUI::Graphics::IImage *image = GUI::Graphics::createImage(folder, fileName);
    if (image && !image->imageHasLoaded())
    {
        // Made unreferenced: taking and letting go of one reference frees it.
        image->referenced();
        image->dereference();
        return nullptr;
    }
    return image;
}
} // namespace

void CVeltrixSkin::acquire(const Basics::CSystemString &folder, const CEditorScale &scale,
                           Collections::TAutomaticPointer<CVeltrixSkin> &holder)
{
    // A skin the holder lets go of may be destroyed, which takes the lock.
    holder = nullptr;
    const std::lock_guard<std::mutex> guard(s_sharedSkinsLock);
    CVeltrixSkin *&shared = sharedSkin(scale);
    // A skin whose last holder has let go is on its way out, whatever its slot says.
    const bool reusable = shared && shared->getReferenceCount() > 0;
    CVeltrixSkin *skin = reusable && shared->m_folder == folder ? shared : new CVeltrixSkin(folder, scale);
    if (!reusable)
    {
        shared = skin;
    }
    holder = skin;
}

Basics::CString CVeltrixSkin::imageFileName(const char *name, const CEditorScale &scale)
{
    char fileName[64];
    if (scale.getPercent() == 100)
    {
        std::snprintf(fileName, sizeof(fileName), "%s.png", name);
    }
    else
    {
        std::snprintf(fileName, sizeof(fileName), "%s@%ld.png", name, scale.getPercent());
    }
    return fileName;
}

CVeltrixSkin::CVeltrixSkin(const Basics::CSystemString &folder, const CEditorScale &scale)
    : m_folder(folder), m_scale(scale)
{
    m_background = loadImage(folder, imageFileName("background", scale));
    m_knob = loadImage(folder, imageFileName("knob", scale));
    m_buttonUp = loadImage(folder, imageFileName("buttonUp", scale));
    m_buttonDown = loadImage(folder, imageFileName("buttonDown", scale));
    m_aboutButton = loadImage(folder, imageFileName("splash_Button", scale));
}

CVeltrixSkin::~CVeltrixSkin()
{
    const std::lock_guard<std::mutex> guard(s_sharedSkinsLock);
    CVeltrixSkin *&shared = sharedSkin(m_scale);
    if (shared == this)
    {
        shared = nullptr;
    }
}
} // namespace Orvalite::Veltrix
