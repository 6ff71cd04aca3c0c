#include "gui/graphics/CPolygonFiller.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::GUI::Graphics
{
void CPolygonFiller::fill(const std::vector<SPoint> &points, uint32_t argb)
{
    const SPixelBox box = m_context.getWritableBox();
    if (points.size() < 3 || box.isEmpty())
    {
        return;
    }
    const auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(), [](const SPoint &a, const SPoint &b) { return a.y < b.y; });
    const int64_t top = std::max(box.top, static_cast<int64_t>(std::floor(std::max(lowest->y, -1.0e12))));
    const int64_t bottom = std::min(box.bottom, static_cast<int64_t>(std::ceil(std::min(highest->y, 1.0e12))));
    for (int64_t y = top; y < bottom; ++y)
    {
        const std::vector<double> xs = crossings(points, static_cast<double>(y) + 0.5);
        for (size_t index = 0; index + 1 < xs.size(); index += 2)
        {
            m_context.writeSpan(y, firstPixelFrom(xs[index], box), firstPixelFrom(xs[index + 1], box), argb);
        }
    }
}

std::vector<double> CPolygonFiller::crossings(const std::vector<SPoint> &points, double y)
{
    std::vector<double> xs;
    for (size_t index = 0; index < points.size(); ++index)
    {
        const SPoint &a = points[index];
        const SPoint &b = points[(index + 1) % points.size()];
        // Half-open in y, so a vertex shared by two edges counts once.
        if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y))
        {
            xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

int64_t CPolygonFiller::firstPixelFrom(double x, const SPixelBox &box)
{
    const double limited = std::clamp(x - 0.5, static_cast<double>(box.left - 1), static_cast<double>(box.right + 1));
    return static_cast<int64_t>(std::ceil(limited));
}
} // namespace Orvalite::GUI::Graphics
