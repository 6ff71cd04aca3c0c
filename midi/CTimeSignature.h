// A musical metre: beats per bar over the beat's note value (4/4 by default).
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::Music
{
class CTimeSignature : public Basics::CCountedObject
{
public:
    CTimeSignature() = default;
    CTimeSignature(long numerator, long denominator);
    CTimeSignature(const CTimeSignature &other) = default;
    CTimeSignature &operator=(const CTimeSignature &other) = default;

    void setSignature(long numerator, long denominator);
    long getNumerator() const { return m_numerator; }
    long getDenominator() const { return m_denominator; }

    ORVALITE_CLASS_RECORD(CTimeSignature)

private:
    int32_t m_numerator = 4;
    int32_t m_denominator = 4;
};
} // namespace Orvalite::Music
