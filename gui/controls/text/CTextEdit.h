// A label whose text the user edits in place: a double click (or a single
// click with "Single Click") starts editing when "Editable" is set; a caret
// blinks on a window timer, the mouse and shift with the arrows select,
// Left/Right, Home/End, Backspace and Delete move and delete by code point of
// the UTF-8 text, Return or a click outside commits (the text is set and the
// listener told), Escape cancels. While editing the control holds its root's
// lock and its window holds the keyboard focus, given back afterwards. The
// text limit counts code points; 0 means none.
#pragma once

#include "gui/controls/base/CControlTimer.h"
#include "gui/controls/base/CDescriptorFields.h"
#include "gui/controls/text/CTextLabel.h"

#include <string>

namespace Orvalite::GUI::Controls
{
class CTextEdit : public CTextLabel
{
public:
    enum EPopupAlignment
    {
        e_left,
        e_centre,
        e_right,
        NUMBER_OF_POPUP_ALIGNMENTS
    };
    static constexpr long CARET_BLINK_MILLISECONDS = 500;
    // Pixels between the frame and the text while editing.
    static constexpr long MARGIN = 3;
    static constexpr long MAXIMUM_TEXT_LIMIT = 0x7FFFFFFF;

    CTextEdit(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
              const ::Orvalite::Basics::CString &text = "Text", Listeners::IActionListener *actionListener = nullptr);
    // Ends any editing, giving the keyboard focus back.
    ~CTextEdit() override;

    void setTextLimit(long limit) { m_textLimit = limit < 0 ? 0 : limit; }
    long getTextLimit() const { return m_textLimit; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }
    void setSingleClick(bool singleClick) { m_singleClick = singleClick; }
    // Where the text sits while it is edited; ignored outside EPopupAlignment.
    void setPopupAlignment(long alignment);
    long getPopupAlignment() const { return m_popupAlignment; }

    // Starts with the whole text selected; nothing unless editable.
    void startEditing();
    void commitEditing();
    void cancelEditing();
    bool isEditing() const { return m_editing; }
    // The text being edited, and the selection as byte offsets into it (equal when none).
    const std::string &getEditedText() const { return m_edited; }
    size_t getCaret() const { return m_caret; }
    size_t getAnchor() const { return m_anchor; }

    void drawControl(Graphics::CGraphics &graphics) override;
    void handleLeftButtonDown(const Events::CMouseEvent &event) override;
    void handleLeftButtonUp(const Events::CMouseEvent &event) override;
    void handleDoubleClick(const Events::CMouseEvent &event) override;
    void handleMouseMovement(const Events::CMouseEvent &event) override;
    bool handleKeyDown(const Events::CKeyboardEvent &event) override;
    bool handleCharacter(const Events::CKeyboardEvent &event) override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    ORVALITE_CLASS_RECORD(CTextEdit)

private:
    CDescriptorFields describe() const;
    void stopEditing();
    // The click outside that ended editing goes on to whatever it hit, as it would have.
    void passOnClick(const Events::CMouseEvent &event);
    void blink();
    void showCaret();
    // Moves the caret; with `extend` the anchor stays, making a selection.
    void moveCaret(size_t offset, bool extend);
    void deleteSelection();
    void insert(uint32_t codePoint);
    // Deletes the selection, else the code point before (-1) or after (+1) the caret.
    void erase(int direction);
    bool hasSelection() const { return m_caret != m_anchor; }
    // Where the edited text starts, in control coordinates, and the width of its first `offset` bytes.
    long textLeft() const;
    static long widthOf(const std::string &text, const Fonts::CFont *font);
    size_t offsetAt(long x) const;

    long m_textLimit = 0;
    bool m_editable = true;
    bool m_singleClick = false;
    long m_popupAlignment = e_left;
    bool m_editing = false;
    bool m_selectingWithMouse = false;
    bool m_caretShown = false;
    std::string m_edited;
    size_t m_caret = 0;
    size_t m_anchor = 0;
    CControlTimer m_caretTimer;
};
} // namespace Orvalite::GUI::Controls
