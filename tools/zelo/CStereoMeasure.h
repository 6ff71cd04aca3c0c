// The level and stereo image of one stereo signal, measured as it streams past in
// chunks: peak, RMS, integrated loudness (ITU-R BS.1770 with EBU R128 gating,
// through libebur128), the correlation of the channels, the level of their mono
// sum and the stereo width. Owned by the one thread that feeds it.
#pragma once

#include <ebur128.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace Zelo::Tools
{
class CStereoMeasure
{
public:
    // Undefined figures (a silent signal's correlation, say) are NaN; a silent
    // level is -infinity.
    struct Figures
    {
        // dBFS: the largest sample of either channel, and the root mean square over
        // both channels (a full-scale sine reads -3.0).
        double peakDb = 0.0;
        double rmsDb = 0.0;
        // LUFS, gated as EBU R128 prescribes.
        double loudness = 0.0;
        // Sum of L·R over the square root of sum L² times sum R²: 1 for one signal
        // in both channels, -1 for opposite polarity, 0 for unrelated channels.
        double correlation = 0.0;
        // dB: the energy of (L + R) / 2 against the mean energy of the channels;
        // 0 for mono, -3 for unrelated channels, -infinity when the sum cancels.
        double monoSumDb = 0.0;
        // Side energy over mid energy, sum (L - R)² / sum (L + R)²: 0 for mono.
        double width = 0.0;
    };

    // Throws std::runtime_error when libebur128 cannot measure at that rate.
    explicit CStereoMeasure(int sampleRate);

    void add(const float *left, const float *right, size_t frames);
    Figures figures() const;

private:
    struct LoudnessStateDeleter
    {
        void operator()(ebur128_state *state) const { ebur128_destroy(&state); }
    };

    std::unique_ptr<ebur128_state, LoudnessStateDeleter> m_loudness;
    std::vector<float> m_interleaved;
    double m_peak = 0.0;
    double m_sumLeftSquared = 0.0;
    double m_sumRightSquared = 0.0;
    double m_sumProduct = 0.0;
    double m_sumMidSquared = 0.0;
    double m_sumSideSquared = 0.0;
    size_t m_frames = 0;
};
} // namespace Zelo::Tools
