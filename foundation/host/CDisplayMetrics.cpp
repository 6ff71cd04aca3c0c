#include "foundation/host/CDisplayMetrics.h"

#include <atomic>

namespace Orvalite::Host
{
namespace
{
std::atomic<CDisplayMetrics::TProvider> s_provider{nullptr};
} // namespace

void CDisplayMetrics::setProvider(TProvider provider)
{
    s_provider.store(provider);
}

SDisplayMetrics CDisplayMetrics::getMetrics()
{
    const TProvider provider = s_provider.load();
    return provider ? provider() : SDisplayMetrics{};
}
} // namespace Orvalite::Host
