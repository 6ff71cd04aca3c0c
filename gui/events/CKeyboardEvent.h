// What a keyboard listener learns about one key message: the character the
// key produced (or that it produced none), the toolkit's key code and the
// modifier keys. A window reuses one for every key message.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::GUI::Events
{
class CKeyboardEvent : public ::Orvalite::Basics::CCountedObject
{
public:
    // The key code of every key the table does not name.
    static constexpr long OTHER_KEY = 56;

    CKeyboardEvent() = default;

    char getCharacter() const { return m_character; }
    void setCharacter(char character) { m_character = character; }
    // True when the key produced no single character.
    bool isVirtualKey() const { return m_isVirtualKey; }
    void setVirtualKey(bool isVirtualKey) { m_isVirtualKey = isVirtualKey; }
    long getKeyCode() const { return m_keyCode; }
    void setKeyCode(long keyCode) { m_keyCode = keyCode; }
    bool isShiftDown() const { return m_shift; }
    bool isAltDown() const { return m_alt; }
    bool isControlDown() const { return m_ctrl; }
    void setModifiers(bool shift, bool alt, bool ctrl);

    // The toolkit's key code of a Win32 virtual key.
    static long keyCodeOf(uint32_t virtualKey);

    ORVALITE_CLASS_RECORD(CKeyboardEvent)

private:
    char m_character = ' ';
    bool m_shift = false;
    bool m_alt = false;
    bool m_ctrl = false;
    bool m_isVirtualKey = false;
    long m_keyCode = OTHER_KEY;
};
} // namespace Orvalite::GUI::Events
