// e^x and 2^x rounded correctly to double, computed with plain double
// arithmetic (pairs of doubles carrying about 106 bits), so every build and C
// runtime gives the same gains and pitch ratios: glibc's exp and pow round these
// correctly too, Windows' runtimes need not. Not for the audio thread's inner
// loops: a call costs about a microsecond.
#pragma once

namespace Orvalite::Veltrix
{
class CRoundedExponential
{
public:
    CRoundedExponential() = delete;

    // For |x| up to 700; beyond, the result is not rounded but still finite or infinite.
    static double exponential(double x);
    // For |x| up to 1000.
    static double powerOfTwo(double x);
};
} // namespace Orvalite::Veltrix
