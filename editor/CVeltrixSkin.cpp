#include "editor/CVeltrixSkin.h"

#include "gui/graphics/ImageFactory.h"

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CVeltrixSkin, "CVeltrixSkin", "CCountedObject")

namespace
{
// The skin held by some editor now; it clears itself when the last one lets go.
CVeltrixSkin *s_sharedSkin = nullptr;

// An image that did not load counts as none: its controls get no size.
GUI::Graphics::IImage *loadImage(const Basics::CString &folder, const char *fileName)
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

CVeltrixSkin *CVeltrixSkin::acquire(const Basics::CSystemString &folder)
{
    CVeltrixSkin *skin = s_sharedSkin && s_sharedSkin->m_folder == folder ? s_sharedSkin : new CVeltrixSkin(folder);
    if (!s_sharedSkin)
    {
        s_sharedSkin = skin;
    }
    return skin;
}

CVeltrixSkin::CVeltrixSkin(const Basics::CSystemString &folder) : m_folder(folder)
{
    m_background = loadImage(folder, "background.png");
    m_knob = loadImage(folder, "knob.png");
    m_buttonUp = loadImage(folder, "buttonUp.png");
    m_buttonDown = loadImage(folder, "buttonDown.png");
    m_aboutButton = loadImage(folder, "splash_Button.png");
}

CVeltrixSkin::~CVeltrixSkin()
{
    if (s_sharedSkin == this)
    {
        s_sharedSkin = nullptr;
    }
}
} // namespace Orvalite::Veltrix
