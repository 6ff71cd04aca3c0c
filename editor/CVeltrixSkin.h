// The editor's skin images at one size, decoded once per module and shared by
// every open editor of that size: loaded when the first such editor opens (a
// host that scans or renders never decodes them) and freed with the last
// editor that held them. Editors open on the host's user-interface thread but
// may be destroyed on any, so the table of shared skins is locked.
#pragma once

#include "editor/CEditorScale.h"
#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::Veltrix
{
class CVeltrixSkin : public Basics::CCountedObject
{
public:
    // Puts into `holder` the skin of `folder` at `scale`: the one already loaded
    // from that folder at that size, else a new one. The holder takes its
    // reference under the skins' lock, since editors are made and destroyed on
    // any thread. An image that does not load stays null.
    static void acquire(const Basics::CSystemString &folder, const CEditorScale &scale,
                        Collections::TAutomaticPointer<CVeltrixSkin> &holder);
    // The file of image `name` ("knob") at `scale`: "knob.png", "knob@150.png", "knob@200.png".
    static Basics::CString imageFileName(const char *name, const CEditorScale &scale);
    ~CVeltrixSkin() override;

    GUI::Graphics::IImage *getBackground() const { return m_background.getPointer(); }
    GUI::Graphics::IImage *getKnob() const { return m_knob.getPointer(); }
    GUI::Graphics::IImage *getButtonUp() const { return m_buttonUp.getPointer(); }
    GUI::Graphics::IImage *getButtonDown() const { return m_buttonDown.getPointer(); }
    GUI::Graphics::IImage *getAboutButton() const { return m_aboutButton.getPointer(); }

    ORVALITE_CLASS_RECORD(CVeltrixSkin)

private:
    CVeltrixSkin(const Basics::CSystemString &folder, const CEditorScale &scale);

    Basics::CSystemString m_folder;
    CEditorScale m_scale;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_background;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_knob;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_buttonUp;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_buttonDown;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_aboutButton;
};
} // namespace Orvalite::Veltrix
