// The real `zelo` binary run as a subprocess against the built plug-in, on sound
// files written here with libsndfile.
#include "tools/host/CPluginInstance.h"

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
#include <vector>

namespace
{
namespace fs = std::filesystem;

struct Result
{
    int status = -1;
    std::string out;
    std::string errors;
};

struct Sound
{
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    // Interleaved.
    std::vector<float> samples;

    size_t frames() const { return samples.size() / static_cast<size_t>(channels); }
};

std::string readText(const fs::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

std::string quoted(const std::string &argument)
{
    std::string text = "'";
    for (const char character : argument)
    {
        text += character == '\'' ? std::string("'\\''") : std::string(1, character);
    }
    return text + "'";
}

void writeSound(const fs::path &path, const Sound &sound)
{
    SF_INFO info{};
    info.samplerate = sound.sampleRate;
    info.channels = sound.channels;
    info.format = sound.format;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    sf_writef_float(file, sound.samples.data(), static_cast<sf_count_t>(sound.frames()));
    sf_close(file);
}

Sound readSound(const fs::path &path)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
    {
        ADD_FAILURE() << path << ": " << sf_strerror(nullptr);
        return {};
    }
    Sound sound{info.samplerate, info.channels, info.format, {}};
    sound.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

// A quiet sweep, different for every seed, so renders of different files differ.
Sound sweep(int sampleRate, int channels, size_t frames, int format, double seed = 1.0)
{
    Sound sound{sampleRate, channels, format, std::vector<float>(frames * static_cast<size_t>(channels))};
    for (size_t frame = 0; frame < frames; ++frame)
    {
        const double time = static_cast<double>(frame) / sampleRate;
        for (int channel = 0; channel < channels; ++channel)
        {
            sound.samples[frame * static_cast<size_t>(channels) + static_cast<size_t>(channel)] =
                static_cast<float>(0.3 * std::sin(2.0 * M_PI * (110.0 * seed + 200.0 * time) * time + channel));
        }
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

    fs::path file(const std::string &name) const { return m_folder / name; }

    // Runs the binary with the built plug-in unless the arguments name one.
    Result run(std::vector<std::string> arguments, bool withPlugin = true) const
    {
        if (withPlugin)
        {
            arguments.insert(arguments.end(), {"--plugin", ZELO_PLUGIN_PATH});
        }
        std::string command = quoted(ZELO_BINARY);
        for (const std::string &argument : arguments)
        {
            command += " " + quoted(argument);
        }
        const fs::path out = m_folder / ".stdout";
        const fs::path errors = m_folder / ".stderr";
        command += " >" + quoted(out.string()) + " 2>" + quoted(errors.string());
        const int status = std::system(command.c_str());
        Result result;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readText(out);
        result.errors = readText(errors);
        fs::remove(out);
        fs::remove(errors);
        return result;
    }

    std::vector<std::string> listFolder() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(m_folder))
        {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path m_folder;
};

TEST_F(ZeloCommand, InfoListsEveryParameterAndProgram)
{
    const Result result = run({"info"});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.out.find("Parameters: 23\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Programs: 13\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Unique ID:  Ova5"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  17   Sync Audio"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  12   Audio\n"), std::string::npos) << result.out;
}

TEST_F(ZeloCommand, HelpAndBadUsageShowTheUsage)
{
    const Result help = run({"--help"}, false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u) << help.out;

    const std::vector<std::vector<std::string>> badUsages = {{},
                                                             {"mix"},
                                                             {"render", "only-input.wav"},
                                                             {"render", "a.wav", "b.wav", "c.wav"},
                                                             {"render", "--block", "0"},
                                                             {"info", "--half", "A"}};
    for (const auto &arguments : badUsages)
    {
        const Result result = run(arguments, false);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_NE(result.errors.find("Usage:"), std::string::npos) << testing::PrintToString(arguments);
        EXPECT_EQ(result.errors.rfind("zelo: ", 0), 0u) << result.errors;
    }
}

TEST_F(ZeloCommand, RenderKeepsLengthAndRateAndGivesStereoInTheChosenFormat)
{
    struct Case
    {
        int sampleRate;
        int channels;
        int inputFormat;
        const char *input;
        const char *output;
        int outputMajor;
    };
    const Case cases[] = {
        {48000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, "mono.wav", "mono-out.wav", SF_FORMAT_WAV},
        {22050, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "stereo.flac", "stereo-out.flac", SF_FORMAT_FLAC},
        {44100, 1, SF_FORMAT_AIFF | SF_FORMAT_PCM_16, "voice.aiff", "voice-out.wav", SF_FORMAT_WAV},
        {44100, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, "float.wav", "float-out.ogg", SF_FORMAT_OGG},
        {32000, 2, SF_FORMAT_AU | SF_FORMAT_PCM_16, "sun.au", "sun-out.unknown", SF_FORMAT_AU},
    };
    for (const Case &test : cases)
    {
        const size_t frames = 12345;
        writeSound(file(test.input), sweep(test.sampleRate, test.channels, frames, test.inputFormat));
        const Result result = run({"render", file(test.input).string(), file(test.output).string(), "--block", "300"});
        ASSERT_EQ(result.status, 0) << test.input << ": " << result.errors;
        const Sound output = readSound(file(test.output));
        EXPECT_EQ(output.frames(), frames) << test.output;
        EXPECT_EQ(output.sampleRate, test.sampleRate) << test.output;
        EXPECT_EQ(output.channels, 2) << test.output;
        EXPECT_EQ(output.format & SF_FORMAT_TYPEMASK, test.outputMajor) << test.output;
    }
}

TEST_F(ZeloCommand, MonoInputFeedsBothChannels)
{
    // Dry only, centred: both outputs carry the one input channel.
    writeSound(file("mono.wav"), sweep(44100, 1, 4000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    const Result result = run({"render", file("mono.wav").string(), file("out.wav").string(), "--set", "Gain One=-40",
                               "--set", "Right Gain=-40", "--set", "Dry Gain=0"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const Sound output = readSound(file("out.wav"));
    ASSERT_EQ(output.channels, 2);
    double left = 0.0;
    double right = 0.0;
    for (size_t frame = 0; frame < output.frames(); ++frame)
    {
        left += std::fabs(output.samples[2 * frame]);
        right += std::fabs(output.samples[2 * frame + 1]);
    }
    EXPECT_GT(left, 100.0);
    EXPECT_GT(right, 100.0);
}

TEST_F(ZeloCommand, SyncAudioCompensatesTheLatencySoTheDryImpulseStaysInPlace)
{
    // The latency the plug-in reports with Sync Audio on, at the file's rate.
    Zelo::Tools::CPluginInstance probe(std::make_shared<const Zelo::Tools::CPluginModule>(ZELO_PLUGIN_PATH));
    probe.open();
    probe.setSampleRate(44100.0f);
    probe.setParameter(17, 1.0f);
    probe.resume();
    const size_t latency = static_cast<size_t>(probe.effect()->initialDelay);
    ASSERT_GT(latency, 0u);

    const size_t frames = 22050;
    const size_t impulseAt = 5000;
    Sound input{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::vector<float>(frames)};
    input.samples[impulseAt] = 0.9f;
    writeSound(file("impulse.wav"), input);

    const Result result =
        run({"render", file("impulse.wav").string(), file("out.wav").string(), "--set", "Sync Audio=On", "--set",
             "Dry Gain=0", "--set", "Gain One=-40", "--set", "Right Gain=-40"});
    ASSERT_EQ(result.status, 0) << result.errors;
    const Sound output = readSound(file("out.wav"));
    EXPECT_EQ(output.frames(), frames + latency);
    for (int channel = 0; channel < 2; ++channel)
    {
        size_t peakAt = 0;
        for (size_t frame = 0; frame < output.frames(); ++frame)
        {
            if (std::fabs(output.samples[2 * frame + channel]) > std::fabs(output.samples[2 * peakAt + channel]))
            {
                peakAt = frame;
            }
        }
        EXPECT_EQ(peakAt, impulseAt) << "channel " << channel << ", latency " << latency;
    }
}

TEST_F(ZeloCommand, FailuresNameTheCulpritAndLeaveTheOutputAlone)
{
    writeSound(file("good.wav"), sweep(44100, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ofstream(file("notes.wav")) << "not a sound file";
    struct Case
    {
        std::vector<std::string> arguments;
        const char *culprit;
    };
    const std::string good = file("good.wav").string();
    const Case cases[] = {
        {{"render", file("missing.wav").string()}, "missing.wav: cannot read"},
        {{"render", file("notes.wav").string()}, "notes.wav: unsupported"},
        {{"render", good, "--program", "Nonesuch"}, "unknown program \"Nonesuch\""},
        {{"render", good, "--program", "13"}, "unknown program 13"},
        {{"render", good, "--set", "Wobble=3"}, "unknown parameter \"Wobble\""},
        {{"render", good, "--set", "Delay One=500"}, "\"Delay One\": 500 is out of range 20.00 to 100.0 ms"},
        {{"render", good, "--set", "Sync Audio=Maybe"}, "\"Maybe\" is not one of Off, On"},
    };
    for (const Case &test : cases)
    {
        // An earlier good rendering sits where the output goes; it must survive.
        std::ofstream(file("out.wav")) << "earlier rendering";
        std::vector<std::string> arguments = test.arguments;
        arguments.push_back(file("out.wav").string());
        const Result result = run(arguments);
        const std::string description = testing::PrintToString(test.arguments);
        EXPECT_EQ(result.status, 1) << description;
        EXPECT_NE(result.errors.find(test.culprit), std::string::npos) << description << " gave: " << result.errors;
        EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
        EXPECT_EQ(readText(file("out.wav")), "earlier rendering") << description;
        EXPECT_EQ(listFolder(), (std::vector<std::string>{"good.wav", "notes.wav", "out.wav"})) << description;
    }

    const Result result = run({"info", "--plugin", file("notes.wav").string()}, false);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("notes.wav"), std::string::npos) << result.errors;
}

TEST_F(ZeloCommand, ParallelRenderEqualsSequentialRendersByteForByte)
{
    const std::vector<Sound> sounds = {sweep(44100, 1, 30000, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1.0),
                                       sweep(48000, 2, 20000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2.0),
                                       sweep(22050, 2, 25000, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 3.0)};
    const std::vector<std::string> names = {"one.wav", "two.flac", "three.wav"};
    const std::vector<std::string> options = {"--program", "Chorus", "--half", "B", "--set", "Sync Audio=On"};
    fs::create_directory(file("in"));
    std::vector<std::string> batch = {"render"};
    for (size_t index = 0; index < names.size(); ++index)
    {
        writeSound(file("in/" + names[index]), sounds[index]);
        batch.push_back(file("in/" + names[index]).string());
    }
    batch.insert(batch.end(), {"--out-dir", file("parallel").string()});
    batch.insert(batch.end(), options.begin(), options.end());
    const Result parallel = run(batch);
    ASSERT_EQ(parallel.status, 0) << parallel.errors;

    for (const std::string &name : names)
    {
        std::vector<std::string> single = {"render", file("in/" + name).string(), file("single-" + name).string()};
        single.insert(single.end(), options.begin(), options.end());
        const Result result = run(single);
        ASSERT_EQ(result.status, 0) << result.errors;
        const std::string sequential = readText(file("single-" + name));
        EXPECT_GT(sequential.size(), 1000u) << name;
        EXPECT_TRUE(readText(file("parallel/" + name)) == sequential) << name;
    }
}

TEST_F(ZeloCommand, ParallelRenderReportsEachFailedFileAndRendersTheRest)
{
    writeSound(file("good.wav"), sweep(44100, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const Result result =
        run({"render", file("good.wav").string(), file("absent.wav").string(), "--out-dir", file("out").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("absent.wav: cannot read"), std::string::npos) << result.errors;
    EXPECT_TRUE(fs::exists(file("out/good.wav")));
    EXPECT_FALSE(fs::exists(file("out/absent.wav")));
}

TEST_F(ZeloCommand, DemoRendersSecondsOfAudibleStereo)
{
    const Result result = run({"render", "--demo", file("demo.wav").string()});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.out.find("demo.wav"), std::string::npos) << result.out;
    const Sound demo = readSound(file("demo.wav"));
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.sampleRate, 44100);
    EXPECT_GE(demo.frames(), 3u * 44100u);
    const auto peak = std::max_element(demo.samples.begin(), demo.samples.end(),
                                       [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_GT(std::fabs(*peak), 0.1f);
    EXPECT_LT(std::fabs(*peak), 1.0f);
}
} // namespace
