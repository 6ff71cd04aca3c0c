// lv2apply (lilv-utils) runs a sound file through the bundle with the ports at
// their defaults; zelo renders the same file through the VST module with program 0:
// the two outputs hold the same samples.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const int RATE = 44100;
const int FRAMES = RATE / 2;

void writeInput(const fs::path &path)
{
    SF_INFO info{};
    info.samplerate = RATE;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(2 * FRAMES);
    for (int n = 0; n < FRAMES; ++n)
    {
        samples[2 * n] = 0.5f * static_cast<float>(std::sin(0.031 * n));
        samples[2 * n + 1] = 0.5f * static_cast<float>(std::sin(0.047 * n + 1.0));
    }
    sf_writef_float(file, samples.data(), FRAMES);
    sf_close(file);
}

std::vector<float> readSamples(const fs::path &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

TEST(Lv2Apply, RendersWhatZeloRendersWithProgramZero)
{
    const fs::path folder = fs::path(::testing::TempDir()) / "zelo-lv2apply";
    fs::remove_all(folder);
    fs::create_directories(folder / "lv2");
    // LV2_PATH names a folder that holds the bundle alone.
    fs::create_directory_symlink(ZELO_LV2_BUNDLE, folder / "lv2" / "Zelo.lv2");
    writeInput(folder / "in.wav");
    const std::string lv2apply = ZELO_LV2APPLY_ENVIRONMENT " LV2_PATH='" + (folder / "lv2").string() +
                                 "' lv2apply -i '" + (folder / "in.wav").string() + "' -o '" +
                                 (folder / "lv2.wav").string() + "' urn:orlen-vantrell:zelo";
    const std::string zelo = std::string("'") + ZELO_COMMAND + "' render '" + (folder / "in.wav").string() + "' -o '" +
                             (folder / "vst.wav").string() + "' --program 0 --no-tail --bits float --plugin '" +
                             ZELO_PLUGIN_PATH + "' >/dev/null";
    ASSERT_EQ(std::system(lv2apply.c_str()), 0) << lv2apply;
    ASSERT_EQ(std::system(zelo.c_str()), 0) << zelo;
    const std::vector<float> lv2 = readSamples(folder / "lv2.wav");
    const std::vector<float> vst = readSamples(folder / "vst.wav");
    ASSERT_EQ(lv2.size(), 2u * FRAMES);
    EXPECT_EQ(lv2, vst);
    fs::remove_all(folder);
}
} // namespace
