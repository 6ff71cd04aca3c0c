// What a preset browser loads presets into and saves them from: the browser
// names the file, the listener reads or writes its bytes.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::GUI::Listeners
{
class IPresetListener
{
public:
    // Reads the file and applies it; false, with nothing changed, when it cannot.
    virtual bool loadPreset(const ::Orvalite::Basics::CString &path) = 0;
    // Writes the present state into the file, whole; false when it cannot.
    virtual bool savePreset(const ::Orvalite::Basics::CString &path) = 0;

protected:
    ~IPresetListener() = default;
};
} // namespace Orvalite::GUI::Listeners
