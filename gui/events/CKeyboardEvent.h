// What a keyboard listener learns about one key message: the character the
// key produced (or that it produced none), the toolkit's key code and the
// modifier keys; for a typed character, its Unicode code point. A window
// reuses one for every key message.
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
    // The character typed, 0 in key messages.
    uint32_t getCodePoint() const { return m_codePoint; }
    void setCodePoint(uint32_t codePoint) { m_codePoint = codePoint; }
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
    uint32_t m_codePoint = 0;
};
} // namespace Orvalite::GUI::Events
