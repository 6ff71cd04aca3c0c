// The editor's size: 100 %, 150 % or 200 % of the panel's design, and the
// mapping from design units (the 100 % panel's pixels) to window pixels.
// A value type; the editor holds the current one.
#pragma once

#include "foundation/mathtools/CPoint.h"
#include "foundation/mathtools/CRect.h"

namespace Orvalite::Veltrix
{
class CEditorScale
{
public:
    // The sizes the editor is drawn at, as percentages of the design.
    static constexpr long SIZES[] = {100, 150, 200};

    // The supported size nearest to `percent` (ties towards the smaller).
    explicit CEditorScale(long percent = 100);
    // The size for a display of `dotsPerInch`: 150 % from 144, 200 % from 192, else 100 %.
    static CEditorScale forDotsPerInch(long dotsPerInch);
    // "1", "1.5" or "2" (ZELO_EDITOR_SCALE's factors); false for anything else.
    static bool fromFactorText(const char *text, CEditorScale &scaleOut);

    long getPercent() const { return m_percent; }
    // Design units to pixels, rounded half away from zero.
    long toPixels(long designUnits) const;
    // Edges scale, not sizes, so that rectangles which touch at 100 % still touch.
    MathTools::CRect toPixels(const MathTools::CRect &designArea) const;
    // An area placed at `from` moved to this size: exact for areas placed by
    // toPixels, since every size maps whole design units to distinct pixels.
    MathTools::CRect rescale(const MathTools::CRect &area, const CEditorScale &from) const;

    bool operator==(const CEditorScale &other) const { return m_percent == other.m_percent; }
    bool operator!=(const CEditorScale &other) const { return m_percent != other.m_percent; }

private:
    long m_percent;
};
} // namespace Orvalite::Veltrix
