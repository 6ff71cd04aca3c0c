// The `zelo` command: NAME=VALUE requests resolved against the built plug-in, and
// the real binary run as a subprocess on sound files written here with libsndfile.
#include "tools/zelo/CParameterAssignment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using Zelo::Tools::CParameterAssignment;
using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;

struct SResult
{
    int status = -1;
    std::string out, errors;
};

struct SSound
{
    int sampleRate = 0, channels = 1, format = 0;
    std::vector<float> samples; // interleaved

    size_t frames() const { return samples.size() / static_cast<size_t>(channels); }
};

std::string readText(const fs::path &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void writeSound(const fs::path &path, const SSound &sound)
{
    SF_INFO info{0, sound.sampleRate, sound.channels, sound.format, 0, 0};
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    sf_writef_float(file, sound.samples.data(), static_cast<sf_count_t>(sound.frames()));
    sf_close(file);
}

SSound readSound(const fs::path &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    SSound sound{info.samplerate, std::max(info.channels, 1), info.format,
                 std::vector<float>(info.frames * info.channels)};
    if (file)
    {
        sf_readf_float(file, sound.samples.data(), info.frames);
        sf_close(file);
    }
    return sound;
}

// A quiet sweep, different for every seed, so renders of different files differ.
SSound sweep(int sampleRate, int channels, size_t frames, int format, double seed = 1.0)
{
    SSound sound{sampleRate, channels, format, std::vector<float>(frames * static_cast<size_t>(channels))};
    for (size_t index = 0; index < sound.samples.size(); ++index)
    {
        const double time = static_cast<double>(index / channels) / sampleRate;
        const int channel = static_cast<int>(index % channels);
        sound.samples[index] =
            static_cast<float>(0.3 * std::sin(2.0 * M_PI * (110.0 * seed + 200.0 * time) * time + channel));
    }
    return sound;
}

class ZeloCommand : public testing::Test
{
protected:
    ZeloCommand()
    {
        std::string pattern = (fs::temp_directory_path() / "zelo-cli-test-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    ~ZeloCommand() override { fs::remove_all(m_folder); }

    std::string file(const std::string &name) const { return (m_folder / name).string(); }

    // Runs the binary with the built plug-in unless the arguments name one.
    SResult run(std::vector<std::string> arguments, bool withPlugin = true) const
    {
        if (withPlugin)
            arguments.insert(arguments.end(), {"--plugin", ZELO_PLUGIN_PATH});
        const auto quoted = [](const std::string &text) {
            std::string result = "'";
            for (const char character : text)
                result += character == '\'' ? std::string("'\\''") : std::string(1, character);
            return result + "' ";
        };
        std::string command = quoted(ZELO_BINARY);
        for (const std::string &argument : arguments)
            command += quoted(argument);
        command += ">" + quoted(file(".stdout")) + "2>" + quoted(file(".stderr"));
        const int status = std::system(command.c_str());
        SResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(file(".stdout")),
                       readText(file(".stderr"))};
        fs::remove(file(".stdout"));
        fs::remove(file(".stderr"));
        return result;
    }

    std::vector<std::string> listFolder() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_folder;
};

TEST_F(ZeloCommand, InfoListsEveryParameterAndProgram)
{
    const SResult result = run({"info"});
    ASSERT_EQ(result.status, 0) << result.errors;
    for (const char *line :
         {"Parameters: 23\n", "Programs: 13\n", "Unique ID:  Ova5", "  17   Sync Audio", "  12   Audio\n"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line << " missing from:\n" << result.out;
}

TEST_F(ZeloCommand, HelpAndBadUsageShowTheUsage)
{
    const SResult help = run({"--help"}, false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u) << help.out;
    const std::vector<std::string> badUsages[] = {{"mix"},
                                                  {"render", "only-input.wav"},
                                                  {"render", "a.wav", "b.wav", "c.wav"},
                                                  {"render", "--block", "0"},
                                                  {"info", "--half", "A"},
                                                  {}};
    for (const auto &arguments : badUsages)
    {
        const SResult result = run(arguments, false);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(result.errors.find("Usage:"), std::string::npos) << testing::PrintToString(arguments);
        EXPECT_EQ(result.errors.rfind("zelo: ", 0), 0u) << result.errors;
    }
}

// Mono inputs give stereo; the output's format follows its file name, a known one.
TEST_F(ZeloCommand, RenderKeepsLengthAndRateInTheChosenFormat)
{
    const std::tuple<int, int, int, const char *, const char *, int> cases[] = {
        {48000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, "mono.wav", "mono-out.wav", SF_FORMAT_WAV},
        {22050, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "stereo.flac", "stereo-out.flac", SF_FORMAT_FLAC},
        {44100, 1, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, "voice.aiff", "voice-out.wav", SF_FORMAT_WAV},
        {44100, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, "float.wav", "float-out.ogg", SF_FORMAT_OGG},
        {32000, 2, SF_FORMAT_AU | SF_FORMAT_PCM_16, "sun.au", "sun-out.unknown", SF_FORMAT_AU}};
    for (const auto &[sampleRate, channels, inputFormat, input, output, outputMajor] : cases)
    {
        writeSound(file(input), sweep(sampleRate, channels, 12345, inputFormat));
        const SResult result = run({"render", file(input), file(output), "--block", "300"});
        ASSERT_EQ(result.status, 0) << input << ": " << result.errors;
        const SSound sound = readSound(file(output));
        EXPECT_EQ(sound.frames(), 12345u) << output;
        EXPECT_EQ(sound.sampleRate, sampleRate) << output;
        EXPECT_EQ(sound.channels, 2) << output;
        EXPECT_EQ(sound.format & SF_FORMAT_TYPEMASK, outputMajor) << output;
    }
}

// Dry path only, from a mono impulse: both channels peak where the input did.
TEST_F(ZeloCommand, SyncAudioCompensatesTheLatencySoTheDryImpulseStaysInPlace)
{
    const size_t latency = 275; // half the 551-sample small grain at 44.1 kHz
    const size_t frames = 22050, impulseAt = 5000;
    SSound input{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::vector<float>(frames)};
    input.samples[impulseAt] = 0.9f;
    writeSound(file("impulse.wav"), input);
    const SResult result = run({"render", file("impulse.wav"), file("out.wav"), "--set", "Sync Audio=On", "--set",
                                "Dry Gain=0", "--set", "Gain One=-40", "--set", "Right Gain=-40"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const SSound output = readSound(file("out.wav"));
    EXPECT_EQ(output.frames(), frames + latency);
    for (size_t channel = 0; channel < 2; ++channel)
    {
        size_t peakAt = 0;
        for (size_t frame = 0; frame < output.frames(); ++frame)
            if (std::fabs(output.samples[2 * frame + channel]) > std::fabs(output.samples[2 * peakAt + channel]))
                peakAt = frame;
        EXPECT_EQ(peakAt, impulseAt) << "channel " << channel << ", latency " << latency;
    }
}

// The messages of bad parameter settings are checked by the ParameterAssignment tests below.
TEST_F(ZeloCommand, FailedRenderOnlyReportsTheCulprit)
{
    writeSound(file("good.wav"), sweep(44100, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ofstream(file("notes.wav")) << "not a sound file";
    const std::pair<std::vector<std::string>, const char *> cases[] = {
        {{"render", file("missing.wav")}, "missing.wav: cannot read"},
        {{"render", file("notes.wav")}, "notes.wav: unsupported"},
        {{"render", file("good.wav"), "--program", "Nonesuch"}, "unknown program \"Nonesuch\""},
        {{"render", file("good.wav"), "--program", "13"}, "unknown program 13"},
        {{"render", file("good.wav"), "--set", "Delay One=500"}, "\"Delay One\": 500 is out of range"}};
    for (const auto &[arguments, culprit] : cases)
    {
        // An earlier good rendering sits where the output goes; it must survive.
        std::ofstream(file("out.wav")) << "earlier rendering";
        std::vector<std::string> withOutput = arguments;
        withOutput.push_back(file("out.wav"));
        const SResult result = run(withOutput);
        const std::string description = testing::PrintToString(arguments);
        EXPECT_EQ(result.status, 1) << description;
        EXPECT_NE(result.errors.find(culprit), std::string::npos) << description << " gave: " << result.errors;
        EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
        EXPECT_EQ(readText(file("out.wav")), "earlier rendering") << description;
        EXPECT_EQ(listFolder(), (std::vector<std::string>{"good.wav", "notes.wav", "out.wav"})) << description;
    }
    const SResult result = run({"info", "--plugin", file("notes.wav")}, false);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("notes.wav"), std::string::npos) << result.errors;
}

// A file that fails is reported and skipped; the others render as they would alone.
TEST_F(ZeloCommand, ParallelRenderEqualsSequentialRendersByteForByte)
{
    const std::vector<std::string> names = {"one.wav", "two.flac", "three.wav"};
    const SSound sounds[] = {sweep(44100, 1, 30000, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1.0),
                             sweep(48000, 2, 20000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2.0),
                             sweep(22050, 2, 25000, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3.0)};
    const std::vector<std::string> options = {"--program", "Chorus", "--half", "B", "--set", "Sync Audio=On"};
    fs::create_directory(file("in"));
    std::vector<std::string> batch = {"render", file("in/absent.wav")};
    for (size_t index = 0; index < names.size(); ++index)
    {
        writeSound(file("in/" + names[index]), sounds[index]);
        batch.push_back(file("in/" + names[index]));
    }
    batch.insert(batch.end(), {"--out-dir", file("parallel")});
    batch.insert(batch.end(), options.begin(), options.end());
    const SResult parallel = run(batch);
    EXPECT_EQ(parallel.status, 1);
    EXPECT_NE(parallel.errors.find("absent.wav: cannot read"), std::string::npos) << parallel.errors;
    EXPECT_FALSE(fs::exists(file("parallel/absent.wav")));
    for (const std::string &name : names)
    {
        std::vector<std::string> single = {"render", file("in/" + name), file("single-" + name)};
        single.insert(single.end(), options.begin(), options.end());
        const SResult result = run(single);
        ASSERT_EQ(result.status, 0) << result.errors;
        const std::string sequential = readText(file("single-" + name));
        EXPECT_GT(sequential.size(), 1000u) << name;
        EXPECT_TRUE(readText(file("parallel/" + name)) == sequential) << name;
    }
}

TEST_F(ZeloCommand, DemoRendersSecondsOfAudibleStereo)
{
    const SResult result = run({"render", "--demo", file("demo.wav")});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.out.find("demo.wav"), std::string::npos) << result.out;
    const SSound demo = readSound(file("demo.wav"));
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.sampleRate, 44100);
    EXPECT_GE(demo.frames(), 3u * 44100u);
    const auto peak = std::max_element(demo.samples.begin(), demo.samples.end(),
                                       [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_GT(std::fabs(*peak), 0.1f);
    EXPECT_LT(std::fabs(*peak), 1.0f);
}

class ParameterAssignment : public testing::Test
{
protected:
    ParameterAssignment() : m_instance(std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH)) { m_instance.open(); }

    CPluginInstance m_instance;
};

// Values in the parameter's own units show themselves back; switches get exactly the ends of the range.
TEST_F(ParameterAssignment, ValuesInTheParametersOwnUnitsShowThemselvesBack)
{
    const struct
    {
        const char *request, *display;
        float exactValue; // NaN where any value showing the display will do
    } cases[] = {{"Delay One=35", "35.00", NAN},     {"Sync Audio=On", "On", 1.0f},
                 {"sync audio=off", "Off", 0.0f},    {"Grain Size=Large", "Large", NAN},
                 {"Grain Size=small", "Small", NAN}, {"Master=-6 dB", "-6.000", NAN},
                 {"Pitch Two=-12.5", "-12.50", NAN}, {"Lfo Rate One=2.5Hz", "2.500", NAN},
                 {"FeedBack One=100", "100.0", NAN}, {"  Dry Gain = -40 ", "-40.00", NAN}};
    for (const auto &test : cases)
    {
        const CParameterAssignment::Resolved resolved = CParameterAssignment(test.request).resolve(m_instance);
        EXPECT_TRUE(std::isnan(test.exactValue) || test.exactValue == resolved.value) << test.request;
        m_instance.setParameter(resolved.index, resolved.value);
        EXPECT_EQ(m_instance.parameterDisplay(resolved.index), test.display) << test.request;
    }
}

TEST_F(ParameterAssignment, ResolvingLeavesTheParameterAsFound)
{
    m_instance.setParameter(9, 0.25f);
    CParameterAssignment("Delay One=90").resolve(m_instance);
    EXPECT_EQ(m_instance.getParameter(9), 0.25f);
    EXPECT_THROW(CParameterAssignment("Delay One=900").resolve(m_instance), std::runtime_error);
    EXPECT_EQ(m_instance.getParameter(9), 0.25f);
}

TEST_F(ParameterAssignment, BadRequestsNameTheParameterAndWhatItAccepts)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Delay One=19", "Delay One\": 19 is out of range 20.00 to 100.0 ms"},
        {"Delay One=101", "Delay One\": 101 is out of range 20.00 to 100.0 ms"},
        {"Delay One=long", "\"long\" is not a number"},
        {"Grain Size=Huge", "\"Huge\" is not one of Small, Large"},
        {"Sync Audio=Maybe", "\"Maybe\" is not one of Off, On"},
        {"Wobble=3", "unknown parameter \"Wobble\""}};
    for (const auto &test : cases)
        EXPECT_THAT([&] { CParameterAssignment(test.first).resolve(m_instance); },
                    testing::ThrowsMessage<std::runtime_error>(testing::HasSubstr(test.second)))
            << test.first;
    EXPECT_THROW(CParameterAssignment("Delay One 35"), std::invalid_argument);
    EXPECT_THROW(CParameterAssignment("=35"), std::invalid_argument);
}
} // namespace
