// The editor's skin images, decoded once per module and shared by every open
// editor: loaded when the first editor opens (a host that scans or renders
// never decodes them) and freed with the last editor that held them.
// Every call happens on the host's user-interface thread.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TAutomaticPointer.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::Veltrix
{
class CVeltrixSkin : public Basics::CCountedObject
{
public:
    // The skin of `folder`: the one already loaded from that folder, else a new,
    // unreferenced one (the caller takes its reference). An image that does not
    // load stays null.
    static CVeltrixSkin *acquire(const Basics::CSystemString &folder);
    ~CVeltrixSkin() override;

    GUI::Graphics::IImage *getBackground() const { return m_background.getPointer(); }
    GUI::Graphics::IImage *getKnob() const { return m_knob.getPointer(); }
    GUI::Graphics::IImage *getButtonUp() const { return m_buttonUp.getPointer(); }
    GUI::Graphics::IImage *getButtonDown() const { return m_buttonDown.getPointer(); }
    GUI::Graphics::IImage *getAboutButton() const { return m_aboutButton.getPointer(); }

    ORVALITE_CLASS_RECORD(CVeltrixSkin)

private:
    explicit CVeltrixSkin(const Basics::CSystemString &folder);

    Basics::CSystemString m_folder;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_background;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_knob;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_buttonUp;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_buttonDown;
    Collections::TAutomaticPointer<GUI::Graphics::IImage> m_aboutButton;
};
} // namespace Orvalite::Veltrix
