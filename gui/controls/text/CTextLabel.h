// Static text in a font, colour and one of eleven alignments; a file dropped
// on it shows the first file's name.
#pragma once

#include "gui/controls/base/CControl.h"

namespace Orvalite::GUI::Fonts
{
class CFont;
}

namespace Orvalite::GUI::Controls
{
class CTextLabel : public CControl
{
public:
    // The alignment drawText takes: 0 … 8 left/centre/right by top/centre/bottom,
    // 9 the default label and 10 a single centred line.
    static constexpr long DEFAULT_ALIGNMENT = 9;
    static constexpr long NUMBER_OF_ALIGNMENTS = 11;

    CTextLabel(IControlRoot *root, long uniqueId, const MathTools::CRect &area,
               const ::Orvalite::Basics::CString &text);
    ~CTextLabel() override;

    void setColours(const Basics::CAlphaColour &frame, const Basics::CAlphaColour &background,
                    const Basics::CAlphaColour &text);
    void setTextColour(const Basics::CAlphaColour &colour) { m_textColour = colour; }
    void setFlag(bool flag) { m_flag = flag; }
    // The font is counted; null draws with the default font.
    void setFont(Fonts::CFont *font);
    // Redraws.
    void setText(const ::Orvalite::Basics::CString &text);
    const ::Orvalite::Basics::CString &getText() const { return m_text; }
    void setTextAlignment(long alignment) { m_alignment = alignment; }
    long getTextAlignment() const { return m_alignment; }
    const Basics::CAlphaColour &getTextColour() const { return m_textColour; }
    // The label's font, or the default font when it has none.
    Fonts::CFont *getFont() const;

    void drawControl(Graphics::CGraphics &graphics) override;
    // Shows the first dropped file's name; a drop without names is ignored.
    void handleFileDrop(const Events::CDropEvent &event) override;

    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor> &list) const override;
    bool setDescriptor(const CControlDescriptor &descriptor) override;
    void fillDescriptor(CControlDescriptor &descriptor) const override;

    ORVALITE_CLASS_RECORD(CTextLabel)

private:
    bool m_flag = true;
    Fonts::CFont *m_font = nullptr;
    Basics::CAlphaColour m_textColour{0, 0, 0};
    ::Orvalite::Basics::CString m_text;
    long m_alignment = DEFAULT_ALIGNMENT;
};
} // namespace Orvalite::GUI::Controls
