// The product's settings file, settings.xml in the user's configuration folder
// ($XDG_CONFIG_HOME/Zelo, ~/.config/Zelo when unset; %APPDATA%\Zelo on
// Windows). It keeps the editor's size the user chose; the effect's state
// stays with the host. Read and written on the host's user-interface thread.
#pragma once

#include "editor/CEditorScale.h"
#include "foundation/basics/CSystemString.h"

namespace Orvalite::Veltrix
{
class CEditorSettings
{
public:
    // The settings in `folder` (created, with its parent, at the first write).
    explicit CEditorSettings(const Basics::CSystemString &folder);
    // The settings in the user's folder; when the environment names no
    // configuration folder (nor a home), none: nothing is read or written.
    static CEditorSettings forUser();
    // The user's configuration folder for Zelo; false when the environment names none.
    static bool findUserFolder(Basics::CSystemString &folderOut);

    // The size saved; false when there is no file, and for a damaged one (traced).
    bool readScale(CEditorScale &scaleOut) const;
    // Replaces the file whole (a temporary file renamed over it); false when it cannot be written.
    bool writeScale(const CEditorScale &scale) const;

    // The size an editor starts at: `environmentFactor` (ZELO_EDITOR_SCALE's
    // "1", "1.5" or "2") when set and valid, else the saved size, else the
    // display's size for `dotsPerInch`.
    CEditorScale startScale(const char *environmentFactor, long dotsPerInch) const;

private:
    CEditorSettings() = default;

    bool m_hasFolder = false;
    Basics::CSystemString m_folder;
    Basics::CSystemString m_path;
};
} // namespace Orvalite::Veltrix
