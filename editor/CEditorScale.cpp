#include "editor/CEditorScale.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Orvalite::Veltrix
{
CEditorScale::CEditorScale(long percent) : m_percent(SIZES[0])
{
    for (long size : SIZES)
    {
        if (std::labs(size - percent) < std::labs(m_percent - percent))
        {
            m_percent = size;
        }
    }
}

CEditorScale CEditorScale::forDotsPerInch(long dotsPerInch)
{
    if (dotsPerInch >= 192)
    {
        return CEditorScale(200);
    }
    return CEditorScale(dotsPerInch >= 144 ? 150 : 100);
}

bool CEditorScale::fromFactorText(const char *text, CEditorScale &scaleOut)
{
    if (!text)
    {
        return false;
    }
    const struct
    {
        const char *factor;
        long percent;
    } factors[] = {{"1", 100}, {"1.5", 150}, {"2", 200}};
    for (const auto &entry : factors)
    {
        if (std::strcmp(text, entry.factor) == 0)
        {
            scaleOut = CEditorScale(entry.percent);
            return true;
        }
    }
    return false;
}

long CEditorScale::toPixels(long designUnits) const
{
    const long scaled = std::labs(designUnits) * m_percent;
    const long pixels = (scaled + 50) / 100;
    return designUnits < 0 ? -pixels : pixels;
}

MathTools::CRect CEditorScale::toPixels(const MathTools::CRect &designArea) const
{
    const long left = toPixels(designArea.getLeft());
    const long top = toPixels(designArea.getTop());
    return MathTools::CRect(left, top, toPixels(designArea.getRight()) - left, toPixels(designArea.getBottom()) - top);
}

MathTools::CRect CEditorScale::rescale(const MathTools::CRect &area, const CEditorScale &from) const
{
    // Back to design units, rounded to the nearest: a pixel edge placed at 150 %
    // lies within a third of a unit of its design edge.
    const auto toDesign = [&from](long pixels) {
        return std::lround(static_cast<double>(pixels) * 100.0 / static_cast<double>(from.m_percent));
    };
    const MathTools::CRect design(toDesign(area.getLeft()), toDesign(area.getTop()),
                                  toDesign(area.getRight()) - toDesign(area.getLeft()),
                                  toDesign(area.getBottom()) - toDesign(area.getTop()));
    return toPixels(design);
}
} // namespace Orvalite::Veltrix
