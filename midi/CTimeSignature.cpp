#include "midi/CTimeSignature.h"

namespace Orvalite::Music
{
ORVALITE_DEFINE_CLASS_RECORD(CTimeSignature, "CTimeSignature", "CCountedObject")

CTimeSignature::CTimeSignature(long numerator, long denominator)
{
    setSignature(numerator, denominator);
}

void CTimeSignature::setSignature(long numerator, long denominator)
{
    m_numerator = static_cast<int32_t>(numerator);
    m_denominator = static_cast<int32_t>(denominator);
}
} // namespace Orvalite::Music
