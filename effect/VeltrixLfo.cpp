#include "effect/VeltrixLfo.h"

#include "foundation/host/CExtendedPrecision.h"

#include <cmath>

namespace Orvalite::Veltrix
{
namespace
{
// One full turn of the 32-bit phase, 256 table steps of 2^24.
constexpr long double PHASE_CYCLE = 4294967296.0L;
// sin(i / 256 × 6.2831859) for i = 0 … 256, computed in long double and rounded
// to float once, kept as data: every build and C runtime plays the same sine.
const float SINE_TABLE[VeltrixLfo::TABLE_LENGTH + 1] = {
    // clang-format off
    0.0f, 0x1.921562p-6f, 0x1.91f662p-5f, 0x1.2d520cp-4f, 0x1.917a6ep-4f, 0x1.f564e8p-4f,
    0x1.2c8108p-3f, 0x1.5e2146p-3f, 0x1.8f8b86p-3f, 0x1.c0b82ap-3f, 0x1.f19f9ap-3f, 0x1.111d28p-2f,
    0x1.294064p-2f, 0x1.4135ccp-2f, 0x1.58f9aap-2f, 0x1.708856p-2f, 0x1.87de2cp-2f, 0x1.9ef796p-2f,
    0x1.b5d104p-2f, 0x1.cc66ecp-2f, 0x1.e2b5d6p-2f, 0x1.f8ba5p-2f, 0x1.07387cp-1f, 0x1.11eb36p-1f,
    0x1.1c73b6p-1f, 0x1.26d056p-1f, 0x1.30ff82p-1f, 0x1.3affa4p-1f, 0x1.44cf34p-1f, 0x1.4e6caep-1f,
    0x1.57d696p-1f, 0x1.610b78p-1f, 0x1.6a09e8p-1f, 0x1.72d086p-1f, 0x1.7b5df4p-1f, 0x1.83b0e2p-1f,
    0x1.8bc808p-1f, 0x1.93a226p-1f, 0x1.9b3e06p-1f, 0x1.a29a7cp-1f, 0x1.a9b664p-1f, 0x1.b090a8p-1f,
    0x1.b72836p-1f, 0x1.bd7c0cp-1f, 0x1.c38b3p-1f, 0x1.c954b4p-1f, 0x1.ced7bp-1f, 0x1.d4134ep-1f,
    0x1.d906bep-1f, 0x1.ddb13cp-1f, 0x1.e21212p-1f, 0x1.e6289p-1f, 0x1.e9f416p-1f, 0x1.ed741p-1f,
    0x1.f0a7fp-1f, 0x1.f38f3cp-1f, 0x1.f6297ep-1f, 0x1.f8765p-1f, 0x1.fa7558p-1f, 0x1.fc2648p-1f,
    0x1.fd88dap-1f, 0x1.fe9cdcp-1f, 0x1.ff621ep-1f, 0x1.ffd886p-1f, 0x1p+0f, 0x1.ffd886p-1f,
    0x1.ff621ep-1f, 0x1.fe9cdap-1f, 0x1.fd88dap-1f, 0x1.fc2646p-1f, 0x1.fa7558p-1f, 0x1.f8764ep-1f,
    0x1.f6297cp-1f, 0x1.f38f3ap-1f, 0x1.f0a7eep-1f, 0x1.ed740cp-1f, 0x1.e9f414p-1f, 0x1.e6288cp-1f,
    0x1.e2120ep-1f, 0x1.ddb13ap-1f, 0x1.d906bap-1f, 0x1.d4134ap-1f, 0x1.ced7acp-1f, 0x1.c954bp-1f,
    0x1.c38b2cp-1f, 0x1.bd7c08p-1f, 0x1.b7283p-1f, 0x1.b090a2p-1f, 0x1.a9b65ep-1f, 0x1.a29a76p-1f,
    0x1.9b3ep-1f, 0x1.93a22p-1f, 0x1.8bc802p-1f, 0x1.83b0dcp-1f, 0x1.7b5deep-1f, 0x1.72d07ep-1f,
    0x1.6a09e2p-1f, 0x1.610b7p-1f, 0x1.57d68ep-1f, 0x1.4e6ca6p-1f, 0x1.44cf2cp-1f, 0x1.3aff9cp-1f,
    0x1.30ff7ap-1f, 0x1.26d04ep-1f, 0x1.1c73acp-1f, 0x1.11eb2ep-1f, 0x1.073872p-1f, 0x1.f8ba4p-2f,
    0x1.e2b5c4p-2f, 0x1.cc66dap-2f, 0x1.b5d0f2p-2f, 0x1.9ef784p-2f, 0x1.87de1ap-2f, 0x1.708842p-2f,
    0x1.58f996p-2f, 0x1.4135b8p-2f, 0x1.294052p-2f, 0x1.111d14p-2f, 0x1.f19f74p-3f, 0x1.c0b802p-3f,
    0x1.8f8b6p-3f, 0x1.5e212p-3f, 0x1.2c80e2p-3f, 0x1.f5649ap-4f, 0x1.917a2p-4f, 0x1.2d51bcp-4f,
    0x1.91f5c2p-5f, 0x1.921424p-6f, -0x1.3e449ep-22f, -0x1.9216ap-6f, -0x1.91f7p-5f, -0x1.2d525ap-4f,
    -0x1.917abep-4f, -0x1.f56538p-4f, -0x1.2c813p-3f, -0x1.5e216ep-3f, -0x1.8f8baep-3f, -0x1.c0b85p-3f,
    -0x1.f19fc2p-3f, -0x1.111d3ap-2f, -0x1.294078p-2f, -0x1.4135dep-2f, -0x1.58f9bcp-2f, -0x1.708868p-2f,
    -0x1.87de4p-2f, -0x1.9ef7a8p-2f, -0x1.b5d116p-2f, -0x1.cc66fep-2f, -0x1.e2b5e8p-2f, -0x1.f8ba62p-2f,
    -0x1.073884p-1f, -0x1.11eb4p-1f, -0x1.1c73bep-1f, -0x1.26d05ep-1f, -0x1.30ff8ap-1f, -0x1.3affacp-1f,
    -0x1.44cf3cp-1f, -0x1.4e6cb4p-1f, -0x1.57d69cp-1f, -0x1.610b7ep-1f, -0x1.6a09fp-1f, -0x1.72d08cp-1f,
    -0x1.7b5dfap-1f, -0x1.83b0eap-1f, -0x1.8bc80ep-1f, -0x1.93a22cp-1f, -0x1.9b3e0cp-1f, -0x1.a29a82p-1f,
    -0x1.a9b66ap-1f, -0x1.b090acp-1f, -0x1.b7283cp-1f, -0x1.bd7c12p-1f, -0x1.c38b36p-1f, -0x1.c954b8p-1f,
    -0x1.ced7b6p-1f, -0x1.d41352p-1f, -0x1.d906c2p-1f, -0x1.ddb14p-1f, -0x1.e21214p-1f, -0x1.e62894p-1f,
    -0x1.e9f41ap-1f, -0x1.ed7412p-1f, -0x1.f0a7f4p-1f, -0x1.f38f3ep-1f, -0x1.f6298p-1f, -0x1.f87652p-1f,
    -0x1.fa755ap-1f, -0x1.fc2648p-1f, -0x1.fd88dcp-1f, -0x1.fe9cdcp-1f, -0x1.ff621ep-1f, -0x1.ffd886p-1f,
    -0x1p+0f, -0x1.ffd886p-1f, -0x1.ff621ep-1f, -0x1.fe9cdap-1f, -0x1.fd88d8p-1f, -0x1.fc2646p-1f,
    -0x1.fa7556p-1f, -0x1.f8764ep-1f, -0x1.f6297ap-1f, -0x1.f38f38p-1f, -0x1.f0a7ecp-1f, -0x1.ed740ap-1f,
    -0x1.e9f41p-1f, -0x1.e6288ap-1f, -0x1.e2120ap-1f, -0x1.ddb136p-1f, -0x1.d906b6p-1f, -0x1.d41346p-1f,
    -0x1.ced7a8p-1f, -0x1.c954aap-1f, -0x1.c38b28p-1f, -0x1.bd7c02p-1f, -0x1.b7282cp-1f, -0x1.b0909cp-1f,
    -0x1.a9b65ap-1f, -0x1.a29a7p-1f, -0x1.9b3dfap-1f, -0x1.93a21ap-1f, -0x1.8bc7fcp-1f, -0x1.83b0d6p-1f,
    -0x1.7b5de6p-1f, -0x1.72d078p-1f, -0x1.6a09dap-1f, -0x1.610b68p-1f, -0x1.57d686p-1f, -0x1.4e6c9ep-1f,
    -0x1.44cf24p-1f, -0x1.3aff94p-1f, -0x1.30ff72p-1f, -0x1.26d046p-1f, -0x1.1c73a4p-1f, -0x1.11eb26p-1f,
    -0x1.07386ap-1f, -0x1.f8ba2ep-2f, -0x1.e2b5b4p-2f, -0x1.cc66c8p-2f, -0x1.b5d0ep-2f, -0x1.9ef772p-2f,
    -0x1.87de08p-2f, -0x1.70883p-2f, -0x1.58f984p-2f, -0x1.4135a6p-2f, -0x1.29403ep-2f, -0x1.111d02p-2f,
    -0x1.f19f4ep-3f, -0x1.c0b7dcp-3f, -0x1.8f8b38p-3f, -0x1.5e20f8p-3f, -0x1.2c80bap-3f, -0x1.f5644ap-4f,
    -0x1.9179dp-4f, -0x1.2d516cp-4f, -0x1.91f524p-5f, -0x1.9212e6p-6f, 0x1.3e449ep-21f
    // clang-format on
};
// Entries per quarter of the triangle and per half of the other shapes.
constexpr int QUARTER = VeltrixLfo::TABLE_LENGTH / 4;
constexpr int HALF = VeltrixLfo::TABLE_LENGTH / 2;
} // namespace

VeltrixLfo::VeltrixLfo()
{
    buildTable(EWaveform::Sine);
    setFrequency(DEFAULT_FREQUENCY);
}

void VeltrixLfo::buildTable(EWaveform waveform)
{
    // Extended precision throughout, whatever the host's x87 precision, rounded to
    // float once per entry.
    const Host::CExtendedPrecision extended;
    const long double e = std::exp(1.0L);
    for (int i = 0; i <= TABLE_LENGTH; ++i)
    {
        const long double position = i;
        long double value = 0.0L;
        switch (waveform)
        {
        case EWaveform::Triangle:
            if (i < QUARTER)
                value = position / QUARTER;
            else if (i < 3 * QUARTER)
                value = (HALF - position) / QUARTER;
            else
                value = (position - TABLE_LENGTH) / QUARTER;
            break;
        case EWaveform::RisingRamp:
            value = i < TABLE_LENGTH ? 2.0L * position / (TABLE_LENGTH - 1) - 1.0L : -1.0L;
            break;
        case EWaveform::Square:
            value = i < HALF || i == TABLE_LENGTH ? 1.0L : -1.0L;
            break;
        case EWaveform::Sine:
            value = SINE_TABLE[i];
            break;
        case EWaveform::ExponentialRiseFall: {
            // The fall retraces the rise: entry i of the second half equals entry 255 − i.
            const long double rise = i < HALF ? position : TABLE_LENGTH - 1 - position;
            value = i < TABLE_LENGTH ? 2.0L * (std::exp(rise / HALF) - 1.0L) / (e - 1.0L) - 1.0L : -1.0L;
            break;
        }
        }
        m_table[i] = static_cast<float>(value);
    }
}

void VeltrixLfo::setSampleRate(float sampleRate)
{
    if (std::isfinite(sampleRate) && sampleRate > 0.0f)
    {
        m_sampleRate.store(sampleRate, std::memory_order_relaxed);
    }
}

void VeltrixLfo::setFrequency(float frequency)
{
    if (!std::isfinite(frequency))
    {
        return;
    }
    // Finite: the rate is at least the smallest positive float, so the quotient stays
    // far below the long double (and even the double) range. The quotient rounds to
    // 64 bits whatever the host's x87 precision.
    const Host::CExtendedPrecision extended;
    const long double steps = std::trunc(static_cast<long double>(frequency) / getSampleRate() * TABLE_LENGTH *
                                         static_cast<long double>(1u << FRACTION_BITS));
    // Modulo 2^32 before converting: a negative or huge count has no unsigned value
    // of its own, but the phase only ever sees it modulo a cycle. fmod is exact, so
    // counts already in range pass unchanged.
    long double wrapped = std::fmod(steps, PHASE_CYCLE);
    if (wrapped < 0.0L)
    {
        wrapped += PHASE_CYCLE;
    }
    m_increment.store(static_cast<std::uint32_t>(wrapped), std::memory_order_relaxed);
}
} // namespace Orvalite::Veltrix
