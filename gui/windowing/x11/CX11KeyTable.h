// Translates X keysyms into the Win32 virtual keys that key messages carry,
// so the window's key table reads the same numbers on every platform.
// Stateless; used by CX11EventTranslator.
#pragma once

#include <X11/X.h>

#include <cstdint>

namespace Orvalite::GUI::Windowing
{
class CX11KeyTable
{
public:
    // The virtual key of the unshifted keysym; letters and digits answer their
    // upper-case ASCII code, keys without a Win32 counterpart 0. Either side's
    // shift, control and alt answer the generic 16, 17, 18, as Win32 key messages do.
    static uint32_t virtualKeyOf(KeySym keysym);
};
} // namespace Orvalite::GUI::Windowing
