#include "gui/controls/text/CTextEdit.h"

#include "gui/basics/Utf8Text.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/events/CKeyboardEvent.h"
#include "gui/events/CMouseEvent.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CBrush.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CPen.h"
#include "gui/windowing/CMouse.h"
#include "gui/windowing/IWindow.h"

#include <algorithm>
#include <cstdlib>

namespace Orvalite::GUI::Controls
{
using Basics::CAlphaColour;
using Events::CKeyboardEvent;
using MathTools::CRect;
using ::Orvalite::Basics::CString;

ORVALITE_DEFINE_CLASS_RECORD(CTextEdit, "CTextEdit", "CTextLabel")

namespace
{
// Win32 virtual keys of the editing keys.
constexpr uint32_t KEY_BACKSPACE = 8;
constexpr uint32_t KEY_RETURN = 13;
constexpr uint32_t KEY_ESCAPE = 27;
constexpr uint32_t KEY_END = 35;
constexpr uint32_t KEY_HOME = 36;
constexpr uint32_t KEY_LEFT = 37;
constexpr uint32_t KEY_RIGHT = 39;
constexpr uint32_t KEY_DELETE = 46;
// The label's alignment for one line from the left, centred vertically.
constexpr long LEFT_CENTRED_ALIGNMENT = 3;

// Made when drawn: a counted colour may not outlive the class registry as a static.
CAlphaColour selectionColour()
{
    return CAlphaColour(51, 153, 255, 255);
}

bool isKey(const CKeyboardEvent &event, uint32_t virtualKey)
{
    return event.getKeyCode() == CKeyboardEvent::keyCodeOf(virtualKey);
}
} // namespace

CTextEdit::CTextEdit(IControlRoot *root, long uniqueId, const CRect &area, const CString &text,
                     Listeners::IActionListener *actionListener)
    : CTextLabel(root, uniqueId, area, text), m_caretTimer(*this, [this] { blink(); })
{
    registerActionListener(actionListener);
    setMouseEnabled(true);
    setKeyboardEnabled(true);
}

CTextEdit::~CTextEdit()
{
    if (m_editing)
    {
        stopEditing();
    }
}

void CTextEdit::setPopupAlignment(long alignment)
{
    if (alignment >= 0 && alignment < NUMBER_OF_POPUP_ALIGNMENTS)
    {
        m_popupAlignment = alignment;
    }
}

void CTextEdit::startEditing()
{
    if (!m_editable || m_editing || !isEnabled())
    {
        return;
    }
    m_editing = true;
    m_edited = getText().getString();
    m_anchor = 0;
    m_caret = m_edited.size();
    getControlRoot()->lockControl(this);
    if (Windowing::IWindow *window = getControlRoot()->getParentWindow())
    {
        window->takeKeyboardFocus();
    }
    showCaret();
}

void CTextEdit::commitEditing()
{
    if (!m_editing)
    {
        return;
    }
    // Sized to the text, however long: nothing is cut to a buffer.
    const CString text(m_edited.c_str());
    stopEditing();
    setText(text);
    fireActionEvent();
}

void CTextEdit::cancelEditing()
{
    if (m_editing)
    {
        stopEditing();
    }
}

void CTextEdit::stopEditing()
{
    m_editing = false;
    m_selectingWithMouse = false;
    m_caretTimer.stop();
    IControlRoot *root = getControlRoot();
    if (root->getLockedControl() == this)
    {
        root->unlockControl();
    }
    if (Windowing::IWindow *window = root->getParentWindow())
    {
        window->giveBackKeyboardFocus();
    }
    update();
}

void CTextEdit::blink()
{
    m_caretShown = !m_caretShown;
    update();
}

void CTextEdit::showCaret()
{
    // Restarted at every change, so the caret is seen where it went.
    m_caretShown = true;
    m_caretTimer.start(CARET_BLINK_MILLISECONDS);
    update();
}

void CTextEdit::moveCaret(size_t offset, bool extend)
{
    m_caret = std::min(offset, m_edited.size());
    if (!extend)
    {
        m_anchor = m_caret;
    }
    showCaret();
}

void CTextEdit::deleteSelection()
{
    const size_t start = std::min(m_caret, m_anchor);
    m_edited.erase(start, std::max(m_caret, m_anchor) - start);
    m_caret = m_anchor = start;
}

void CTextEdit::insert(uint32_t codePoint)
{
    std::string typed;
    Basics::appendCodePoint(typed, codePoint);
    const size_t selected = Basics::countCodePoints(
        m_edited.substr(std::min(m_caret, m_anchor), std::max(m_caret, m_anchor) - std::min(m_caret, m_anchor)));
    const size_t after = Basics::countCodePoints(m_edited) - selected + 1;
    if (typed.empty() || (m_textLimit > 0 && after > static_cast<size_t>(m_textLimit)))
    {
        return;
    }
    deleteSelection();
    m_edited.insert(m_caret, typed);
    moveCaret(m_caret + typed.size(), false);
}

void CTextEdit::erase(int direction)
{
    if (!hasSelection())
    {
        m_anchor = direction < 0 ? Basics::previousCodePointOffset(m_edited, m_caret)
                                 : Basics::nextCodePointOffset(m_edited, m_caret);
    }
    deleteSelection();
    moveCaret(m_caret, false);
}

bool CTextEdit::handleKeyDown(const CKeyboardEvent &event)
{
    if (!m_editing)
    {
        return false;
    }
    const bool shift = event.isShiftDown();
    const size_t start = std::min(m_caret, m_anchor);
    const size_t end = std::max(m_caret, m_anchor);
    if (isKey(event, KEY_LEFT))
    {
        moveCaret(hasSelection() && !shift ? start : Basics::previousCodePointOffset(m_edited, m_caret), shift);
    }
    else if (isKey(event, KEY_RIGHT))
    {
        moveCaret(hasSelection() && !shift ? end : Basics::nextCodePointOffset(m_edited, m_caret), shift);
    }
    else if (isKey(event, KEY_HOME) || isKey(event, KEY_END))
    {
        moveCaret(isKey(event, KEY_HOME) ? 0 : m_edited.size(), shift);
    }
    else if (isKey(event, KEY_BACKSPACE) || isKey(event, KEY_DELETE))
    {
        erase(isKey(event, KEY_BACKSPACE) ? -1 : 1);
    }
    else if (isKey(event, KEY_RETURN))
    {
        commitEditing();
    }
    else if (isKey(event, KEY_ESCAPE))
    {
        cancelEditing();
    }
    // Every key is the edit's while it edits: the characters follow as their own messages.
    return true;
}

bool CTextEdit::handleCharacter(const CKeyboardEvent &event)
{
    if (!m_editing || event.isControlDown())
    {
        return false;
    }
    insert(event.getCodePoint());
    return true;
}

void CTextEdit::handleLeftButtonDown(const Events::CMouseEvent &event)
{
    const MathTools::CPoint &point = event.getMousePosition();
    if (!m_editing)
    {
        if (m_singleClick)
        {
            startEditing();
            moveCaret(offsetAt(point.getXPosition()), false);
            m_selectingWithMouse = m_editing;
        }
        return;
    }
    if (!CControlRoot::isInside(getNormalisedArea(), point))
    {
        commitEditing();
        passOnClick(event);
        return;
    }
    moveCaret(offsetAt(point.getXPosition()), event.isShiftDown());
    m_selectingWithMouse = true;
}

void CTextEdit::passOnClick(const Events::CMouseEvent &event)
{
    // The window's own root, above every panel the edit lies in, so the click can land outside them.
    IControlRoot *outermost = getControlRoot();
    while (const auto *panel = dynamic_cast<const IControl *>(outermost))
    {
        outermost = panel->getControlRoot();
    }
    auto *root = dynamic_cast<CControlRoot *>(outermost);
    if (!root)
    {
        return;
    }
    Windowing::CMouse mouse = event.getMouse() ? *event.getMouse() : Windowing::CMouse();
    const MathTools::CPoint &point = event.getMousePosition();
    const MathTools::CRect &window = getWindowArea();
    mouse.setPosition(
        MathTools::CPoint(point.getXPosition() + window.getLeft(), point.getYPosition() + window.getTop()));
    Events::CMouseEvent rootEvent(&mouse, event.getEventType());
    rootEvent.setModifiers(event.isControlDown(), event.isShiftDown(), event.isAltDown());
    root->handleLeftButtonDown(rootEvent);
}

void CTextEdit::handleLeftButtonUp(const Events::CMouseEvent &)
{
    m_selectingWithMouse = false;
}

void CTextEdit::handleDoubleClick(const Events::CMouseEvent &event)
{
    if (!m_editing)
    {
        startEditing();
    }
    else if (!CControlRoot::isInside(getNormalisedArea(), event.getMousePosition()))
    {
        commitEditing();
    }
    else
    {
        m_anchor = 0;
        moveCaret(m_edited.size(), true);
    }
}

void CTextEdit::handleMouseMovement(const Events::CMouseEvent &event)
{
    if (m_editing && m_selectingWithMouse)
    {
        moveCaret(offsetAt(event.getMousePosition().getXPosition()), true);
    }
}

long CTextEdit::widthOf(const std::string &text, const Fonts::CFont *font)
{
    MathTools::CDimension size;
    return !text.empty() && Graphics::CGraphics::getTextExtent(CString(text.c_str()), size, font) ? size.getWidth() : 0;
}

long CTextEdit::textLeft() const
{
    const long inner = getDimension().getWidth() - 2 * MARGIN;
    const long textWidth = widthOf(m_edited, getFont());
    if (textWidth > inner)
    {
        // Too long to show whole: scrolled just enough to keep the caret in view.
        const long caretX = widthOf(m_edited.substr(0, m_caret), getFont());
        return MARGIN - std::max(0L, caretX - inner);
    }
    const long aligned[] = {MARGIN, MARGIN + (inner - textWidth) / 2, MARGIN + inner - textWidth};
    return aligned[m_popupAlignment];
}

size_t CTextEdit::offsetAt(long x) const
{
    const long left = textLeft();
    size_t nearest = 0;
    long nearestDistance = std::labs(x - left);
    for (size_t offset = 0; offset < m_edited.size();)
    {
        offset = Basics::nextCodePointOffset(m_edited, offset);
        const long distance = std::labs(x - left - widthOf(m_edited.substr(0, offset), getFont()));
        if (distance < nearestDistance)
        {
            nearestDistance = distance;
            nearest = offset;
        }
    }
    return nearest;
}

void CTextEdit::drawControl(Graphics::CGraphics &graphics)
{
    if (!m_editing)
    {
        CTextLabel::drawControl(graphics);
        return;
    }
    drawPrimaryImage(graphics, true);
    const long height = getDimension().getHeight();
    const long left = textLeft();
    const Fonts::CFont *font = getFont();
    if (hasSelection())
    {
        const long from = left + widthOf(m_edited.substr(0, std::min(m_caret, m_anchor)), font);
        const long to = left + widthOf(m_edited.substr(0, std::max(m_caret, m_anchor)), font);
        graphics.getBrush()->setColour(selectionColour());
        graphics.fillRectangle(CRect(from, 2, to - from, height - 4));
    }
    graphics.setTextColour(getTextColour());
    const long width = std::max(widthOf(m_edited, font) + 2 * MARGIN, getDimension().getWidth());
    graphics.drawText(CString(m_edited.c_str()), CRect(left, 0, width, height), font, LEFT_CENTRED_ALIGNMENT);
    if (m_caretShown)
    {
        const long caretX = left + widthOf(m_edited.substr(0, m_caret), font);
        graphics.getPen()->setColour(getTextColour());
        graphics.drawLine(MathTools::CPoint(caretX, 2), MathTools::CPoint(caretX, height - 2));
    }
}

CDescriptorFields CTextEdit::describe() const
{
    // One table serves reading and writing; fill only reads through it.
    auto *self = const_cast<CTextEdit *>(this);
    return CDescriptorFields()
        .integer("Text Limit", self->m_textLimit, 0, MAXIMUM_TEXT_LIMIT)
        .flag("Editable", self->m_editable)
        .flag("Single Click", self->m_singleClick)
        .selection("Popup Alignment", self->m_popupAlignment, NUMBER_OF_POPUP_ALIGNMENTS);
}

void CTextEdit::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const
{
    CTextLabel::getDescriptors(list);
    describe().addTo(list);
}

bool CTextEdit::setDescriptor(const CControlDescriptor &descriptor)
{
    const CDescriptorFields fields = describe();
    return fields.contains(descriptor) ? fields.apply(descriptor) : CTextLabel::setDescriptor(descriptor);
}

void CTextEdit::fillDescriptor(CControlDescriptor &descriptor) const
{
    if (!describe().fill(descriptor))
    {
        CTextLabel::fillDescriptor(descriptor);
    }
}
} // namespace Orvalite::GUI::Controls
