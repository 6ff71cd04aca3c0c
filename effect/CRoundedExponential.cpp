#include "effect/CRoundedExponential.h"

#include <cmath>

namespace Orvalite::Veltrix
{
namespace
{
// A value as the unevaluated sum of two doubles, |low| at most half an ulp of high.
struct SPair
{
    double high;
    double low;
};

SPair twoSum(double a, double b)
{
    const double sum = a + b;
    const double bVirtual = sum - a;
    return {sum, (a - (sum - bVirtual)) + (b - bVirtual)};
}

SPair fastTwoSum(double a, double b)
{
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// Dekker's split and product: exact without fused multiply-add.
SPair split(double a)
{
    const double scaled = 134217729.0 * a; // 2^27 + 1
    const double high = scaled - (scaled - a);
    return {high, a - high};
}

SPair twoProduct(double a, double b)
{
    const double product = a * b;
    const SPair x = split(a);
    const SPair y = split(b);
    const double error = ((x.high * y.high - product) + x.high * y.low + x.low * y.high) + x.low * y.low;
    return {product, error};
}

SPair add(SPair a, SPair b)
{
    const SPair sum = twoSum(a.high, b.high);
    return fastTwoSum(sum.high, sum.low + a.low + b.low);
}

SPair multiply(SPair a, SPair b)
{
    const SPair product = twoProduct(a.high, b.high);
    return fastTwoSum(product.high, product.low + a.high * b.low + a.low * b.high);
}

SPair divide(SPair a, double divisor)
{
    const double first = a.high / divisor;
    const SPair back = twoProduct(first, divisor);
    const double second = ((a.high - back.high) - back.low + a.low) / divisor;
    return fastTwoSum(first, second);
}

// ln 2 to 106 bits.
const SPair LN2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
// Taylor terms of e^r for |r| up to ln 2 / 2: the 24th is below 2^-110 of the sum.
const int TERMS = 24;

// e^x for x given to 106 bits: x = k ln 2 + r, e^x = 2^k e^r, e^r summed term by term.
double exponentialOf(SPair x)
{
    const double k = std::nearbyint(x.high / LN2.high);
    const SPair reduced = add(x, multiply({-k, 0.0}, LN2));
    SPair sum = {1.0, 0.0};
    SPair term = {1.0, 0.0};
    for (int n = 1; n <= TERMS; ++n)
    {
        term = divide(multiply(term, reduced), static_cast<double>(n));
        sum = add(sum, term);
    }
    return std::ldexp(sum.high + sum.low, static_cast<int>(k));
}
} // namespace

double CRoundedExponential::exponential(double x)
{
    return exponentialOf({x, 0.0});
}

double CRoundedExponential::powerOfTwo(double x)
{
    return exponentialOf(multiply({x, 0.0}, LN2));
}
} // namespace Orvalite::Veltrix
