// The `zelo` command: NAME=VALUE requests resolved against the built plug-in, and
// the real binary run as a subprocess on sound files written here with libsndfile.
#include "tests/foundation/CTemporaryFolder.h"
#include "tools/zelo/CDemoPhrase.h"
#include "tools/zelo/CParameterAssignment.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <numeric>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>
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
    std::string file(const std::string &name) const { return m_folder.file(name); }

    // Runs the binary in the test's folder with the built plug-in unless the arguments
    // name one; standard output goes to `outPath` when given, else into the result.
    SResult run(std::vector<std::string> arguments, bool withPlugin = true, const std::string &outPath = {}) const
    {
        if (withPlugin)
            arguments.insert(arguments.end(), {"--plugin", ZELO_PLUGIN_PATH});
        const auto quoted = [](const std::string &text) {
            std::string result = "'";
            for (const char character : text)
                result += character == '\'' ? std::string("'\\''") : std::string(1, character);
            return result + "' ";
        };
        std::string command = "cd " + quoted(m_folder.path()) + "&& " + quoted(ZELO_BINARY);
        for (const std::string &argument : arguments)
            command += quoted(argument);
        command += ">" + quoted(outPath.empty() ? file(".stdout") : outPath) + "2>" + quoted(file(".stderr"));
        const int status = std::system(command.c_str());
        SResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, m_folder.read(".stdout"),
                       m_folder.read(".stderr")};
        fs::remove(file(".stdout"));
        fs::remove(file(".stderr"));
        return result;
    }

    std::vector<std::string> listFolder() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(m_folder.path()))
        {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    const Orvalite::Testing::CTemporaryFolder m_folder;
};

TEST_F(ZeloCommand, InfoListsEveryParameterAndProgram)
{
    const SResult result = run({"info"});
    ASSERT_EQ(result.status, 0) << result.errors;
    for (const char *line :
         {"Parameters: 23\n", "Programs: 13\n", "Unique ID:  Ova5", "  17   Sync Audio", "  12   Audio\n"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line << " missing from:\n" << result.out;
}

TEST_F(ZeloCommand, HelpVersionAndBadUsage)
{
    const SResult help = run({"--help"}, false), version = run({"--version"}, false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage:", 0), 0u) << help.out;
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zelo " ZELO_VERSION "\n");
    const std::vector<std::string> badUsages[] = {{"mix"},
                                                  {"render", "only-input.wav"},
                                                  {"render", "a.wav", "b.wav", "c.wav"},
                                                  {"render", "--block", "0"},
                                                  {"info", "--half", "A"},
                                                  {"info", "--preset", "a.fxp"},
                                                  {"preset", "load"},
                                                  {"preset", "show"},
                                                  {"preset", "save", "a.fxp", "--block", "64"},
                                                  {"render", "a.wav", "--out-dir", "d", "--report"},
                                                  {}};
    for (const auto &arguments : badUsages)
    {
        const SResult result = run(arguments, false);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(result.errors.find("Usage:"), std::string::npos) << testing::PrintToString(arguments);
        EXPECT_EQ(result.errors.rfind("zelo: ", 0), 0u) << result.errors;
        EXPECT_EQ(result.errors.find('\n'), result.errors.find("\nTry 'zelo --help'.\n")) << result.errors;
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
        const SResult result = run({"render", file(input), file(output), "--block", "300", "--no-tail"});
        ASSERT_EQ(result.status, 0) << input << ": " << result.errors;
        EXPECT_EQ(result.errors.find("Hz as if at 44100 Hz") != std::string::npos, sampleRate < 44100) << input;
        const SSound sound = readSound(file(output));
        EXPECT_EQ(sound.frames(), 12345u) << output;
        EXPECT_EQ(sound.sampleRate, sampleRate) << output;
        EXPECT_EQ(sound.channels, 2) << output;
        EXPECT_EQ(sound.format & SF_FORMAT_TYPEMASK, outputMajor) << output;
    }
}

// Dry path mostly, from a mono impulse: both channels peak where the input did, with
// the input's length or with a tail (the wet echo of an impulse near the end).
TEST_F(ZeloCommand, SyncAudioCompensatesTheLatencySoTheDryImpulseStaysInPlace)
{
    const size_t latency = 275; // half the 551-sample small grain at 44.1 kHz
    const size_t frames = 22050;
    const std::tuple<size_t, const char *, size_t, size_t> cases[] = {
        {5000, "--no-tail", frames, frames}, {frames - 100, "--tail=30", frames + latency + 1, 2 * frames}};
    for (const auto &[impulseAt, option, shortest, longest] : cases)
    {
        SSound input{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::vector<float>(frames)};
        input.samples[impulseAt] = 0.9f;
        writeSound(file("impulse.wav"), input);
        const SResult result = run({"render", file("impulse.wav"), file("out.wav"), option, "--set", "Sync Audio=On",
                                    "--set", "Dry Gain=0", "--set", "Gain One=-40", "--set", "Right Gain=-40"});
        ASSERT_EQ(result.status, 0) << result.errors;
        const SSound output = readSound(file("out.wav"));
        EXPECT_GE(output.frames(), shortest) << option;
        EXPECT_LE(output.frames(), longest) << option;
        for (size_t channel = 0; channel < 2; ++channel)
        {
            size_t peakAt = 0;
            for (size_t frame = 0; frame < output.frames(); ++frame)
                if (std::fabs(output.samples[2 * frame + channel]) > std::fabs(output.samples[2 * peakAt + channel]))
                    peakAt = frame;
            EXPECT_EQ(peakAt, impulseAt) << "channel " << channel << ", latency " << latency << ", " << option;
        }
    }
}

// Past the input's end the echoes go on while audible: the output is what the plug-in
// makes of the input followed by silence, ending on its last frame above -96 dBFS
// once 250 ms stay below it, or at the --tail cap; --no-tail or --tail 0 keep the
// input's length; the last of them given counts. Echoes of a 2 ms burst 100 ms
// apart leave quiet gaps in the tail, which must be kept.
TEST_F(ZeloCommand, FeedbackEchoesRenderATailUntilTheyFallSilent)
{
    const size_t frames = 22050, halfSecond = 22050, window = 44100 / 4, padding = 10 * 44100;
    const float quiet = std::pow(10.0f, -96.0f / 20.0f);
    SSound input{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::vector<float>(frames)};
    for (size_t frame = 0; frame < 88; ++frame)
        input.samples[frame] = 0.5f * std::sin(0.05f * static_cast<float>(frame));
    writeSound(file("burst.wav"), input);
    input.samples.resize(frames + padding);
    writeSound(file("padded.wav"), input);
    const auto render = [&](const char *name, std::vector<std::string> options) {
        options.insert(options.begin(), {"render", file(name), file("out.wav"), "--set", "FeedBack One=90", "--set",
                                         "Delay One=100", "--bits", "float"});
        const SResult result = run(options);
        EXPECT_EQ(result.status, 0) << result.errors;
        return readSound(file("out.wav")).samples;
    };
    const std::vector<float> whole = render("padded.wav", {"--no-tail"});
    const std::vector<float> tail = render("burst.wav", {});
    const size_t end = tail.size() / 2;
    ASSERT_GT(end, frames + halfSecond);
    ASSERT_LE(end + window, frames + padding);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), whole.begin()));
    EXPECT_GE(std::max(std::fabs(tail[2 * end - 2]), std::fabs(tail[2 * end - 1])), quiet);
    EXPECT_TRUE(std::all_of(whole.begin() + 2 * end, whole.begin() + 2 * (end + window),
                            [&](float sample) { return std::fabs(sample) < quiet; }));
    const std::pair<std::vector<std::string>, size_t> cases[] = {{{"--tail", "0.5"}, frames + halfSecond},
                                                                 {{"--no-tail"}, frames},
                                                                 {{"--tail", "0"}, frames},
                                                                 {{"--no-tail", "--tail", "0.5"}, frames + halfSecond},
                                                                 {{"--tail=0.5", "--no-tail"}, frames}};
    for (const auto &[options, length] : cases)
    {
        const std::vector<float> output = render("burst.wav", options);
        EXPECT_EQ(output.size(), 2 * length) << testing::PrintToString(options);
        EXPECT_TRUE(std::equal(output.begin(), output.end(), whole.begin())) << testing::PrintToString(options);
    }
}

// The messages of bad parameter settings are checked by the ParameterAssignment tests below.
TEST_F(ZeloCommand, FailedRenderOnlyReportsTheCulprit)
{
    writeSound(file("good.wav"), sweep(44100, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    std::ofstream(file("notes.wav")) << "not a sound file";
    const std::pair<std::vector<std::string>, const char *> cases[] = {
        {{"render", file("missing.wav")}, "missing.wav': cannot read"},
        {{"render", file("notes.wav")}, "notes.wav': unsupported"},
        {{"render", file("good.wav"), "--program", "Nonesuch"}, "unknown program \"Nonesuch\""},
        {{"render", file("good.wav"), "--program", "13"}, "unknown program 13"},
        {{"render", file("good.wav"), "--set", "Delay One=500"}, "\"Delay One\": 500 is out of range"},
        {{"render", file("good.wav"), "--set", "Delay One=1e309"}, "\"Delay One\": 1e309 is out of range"},
        {{"render", file("good.wav"), "--set", "Wobble=3"}, "unknown parameter \"Wobble\""}};
    for (const auto &[arguments, culprit] : cases)
    {
        // An earlier good rendering sits where the output goes; it must survive.
        std::ofstream(file("out.wav")) << "earlier rendering";
        std::vector<std::string> withOutput = arguments;
        withOutput.push_back(file("out.wav"));
        const SResult result = run(withOutput);
        const std::string description = testing::PrintToString(arguments);
        // A wrong program or parameter is bad usage; a file that cannot be read is a failed render.
        EXPECT_EQ(result.status, arguments.size() > 2 ? 2 : 1) << description;
        EXPECT_NE(result.errors.find(culprit), std::string::npos) << description << " gave: " << result.errors;
        // One message (a sanitizer's summary may follow it in the sanitized builds).
        EXPECT_EQ(result.errors.find("\nzelo: "), std::string::npos) << result.errors;
        EXPECT_EQ(m_folder.read("out.wav"), "earlier rendering") << description;
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
    EXPECT_EQ(parallel.out, "3 rendered, 1 failed\n");
    EXPECT_NE(parallel.errors.find("absent.wav': cannot read"), std::string::npos) << parallel.errors;
    EXPECT_FALSE(fs::exists(file("parallel/absent.wav")));
    for (const std::string &name : names)
    {
        std::vector<std::string> single = {"render", file("in/" + name), file("single-" + name)};
        single.insert(single.end(), options.begin(), options.end());
        const SResult result = run(single);
        ASSERT_EQ(result.status, 0) << result.errors;
        const std::string sequential = m_folder.read("single-" + name);
        EXPECT_GT(sequential.size(), 1000u) << name;
        EXPECT_TRUE(m_folder.read("parallel/" + name) == sequential) << name;
        EXPECT_GT(readSound(file("parallel/" + name)).frames(), readSound(file("in/" + name)).frames()) << "a tail";
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
    // The phrase itself carries no offset.
    const Zelo::Tools::CStereoSignal phrase = Zelo::Tools::CDemoPhrase::synthesise(44100);
    for (const std::vector<float> *channel : {&phrase.left, &phrase.right})
        EXPECT_LT(
            std::fabs(std::accumulate(channel->begin(), channel->end(), 0.0) / static_cast<double>(channel->size())),
            1e-4);
}

// Every refused preset file gives its message and exit status 1, for render and
// show alike, and no output appears; the faults themselves are tested on the reader.
TEST_F(ZeloCommand, BadPresetFilesFailNamingTheFileAndLeaveNoOutput)
{
    writeSound(file("in.wav"), sweep(44100, 2, 2000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    ASSERT_EQ(run({"preset", "save", file("good.fxp")}).status, 0);
    const std::string good = m_folder.read("good.fxp");
    const auto damaged = [&](size_t at, char byte, size_t length) {
        std::string bytes = good.substr(0, length);
        bytes[at] = byte;
        return bytes;
    };
    const std::pair<std::string, const char *> cases[] = {
        {damaged(0, 'X', good.size()), "not a VST preset file"},
        {damaged(19, '6', good.size()), "made for the plug-in \"Ova6\""},
        {damaged(7, 0, good.size()), "size disagrees with the file"},
        {damaged(0, 'C', 3000), "truncated file"},
        {damaged(60, 'X', good.size()), "the plug-in refused the program chunk"}};
    for (const auto &[bytes, fault] : cases)
    {
        std::ofstream(file("bad.fxp"), std::ios::binary) << bytes;
        for (const std::vector<std::string> &arguments :
             {std::vector<std::string>{"render", file("in.wav"), file("out.wav"), "--preset", file("bad.fxp")},
              std::vector<std::string>{"preset", "save", file("copy.fxb"), "--preset", file("bad.fxp")},
              std::vector<std::string>{"preset", "show", file("bad.fxp")}})
        {
            const SResult result = run(arguments);
            EXPECT_EQ(result.status, 1) << fault;
            EXPECT_NE(result.errors.find("'" + file("bad.fxp") + "': " + fault), std::string::npos) << result.errors;
            EXPECT_EQ(listFolder(), (std::vector<std::string>{"bad.fxp", "good.fxp", "in.wav"})) << fault;
        }
    }
    EXPECT_EQ(run({"preset", "save", file("program.txt")}).status, 1);
    EXPECT_EQ(run({"preset", "show", file("missing.fxb")}).status, 1);
    EXPECT_EQ(listFolder(), (std::vector<std::string>{"bad.fxp", "good.fxp", "in.wav"}));
}

// A hand-edited or damaged preset plays only what its values clamped into range
// give, and a warning names the file and every value the plug-in changed.
TEST_F(ZeloCommand, DamagedPresetValuesAreClampedWithAWarningNamingThem)
{
    writeSound(file("in.wav"), sweep(44100, 2, 4000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    ASSERT_EQ(run({"preset", "save", file("p.fxp")}).status, 0);
    ASSERT_EQ(run({"preset", "save", file("b.fxb")}).status, 0);
    // The chunk follows the 60-byte program header or the 160-byte bank header;
    // in it, program records of 7228 bytes with the A half at 56 and the B half at 1080.
    const auto damage = [&](const std::string &name, std::vector<std::pair<size_t, float>> values) {
        std::string bytes = m_folder.read(name);
        for (const auto &[offset, value] : values)
            std::memcpy(bytes.data() + offset, &value, sizeof(value));
        std::ofstream(file("bad-" + name), std::ios::binary) << bytes;
    };
    damage("p.fxp", {{60 + 56, 2.0f}, {60 + 1080 + 7 * 4, -5.0f}});
    damage("b.fxb", {{160 + 3 * 7228 + 56, 1e30f}});
    const std::pair<const char *, const char *> warnings[] = {
        {"bad-p.fxp",
         "warning: the plug-in changed 2 values as it loaded them: A \"Master\" 2 -> 1; B \"Dry Gain\" -5 -> 0\n"},
        {"bad-b.fxb", "warning: the plug-in changed 1 value as it loaded it: program 3 A \"Master\" 1e+30 -> 1\n"}};
    for (const auto &[name, warning] : warnings)
    {
        const SResult shown = run({"preset", "show", file(name)});
        EXPECT_EQ(shown.status, 0) << name;
        EXPECT_NE(shown.errors.find("zelo: '" + file(name) + "': " + warning), std::string::npos) << shown.errors;
    }
    EXPECT_NE(run({"preset", "show", file("bad-p.fxp")}).out.find("Master         20.00"), std::string::npos);
    const SResult damaged = run({"render", file("in.wav"), file("damaged.wav"), "--preset", file("bad-p.fxp")});
    EXPECT_NE(damaged.errors.find("A \"Master\" 2 -> 1"), std::string::npos) << damaged.errors;
    ASSERT_EQ(run({"render", file("in.wav"), file("loudest.wav"), "--set", "Master=20"}).status, 0);
    EXPECT_TRUE(m_folder.read("damaged.wav") == m_folder.read("loudest.wav")) << "the program at its loudest Master";
}

// A preset saved with options renders exactly as the options do; a bank carries its
// current program and the A/B selector, a program file (other than program 0's) neither.
TEST_F(ZeloCommand, SavedPresetsRenderAsTheSettingsTheyWereSavedFrom)
{
    writeSound(file("in.wav"), sweep(44100, 2, 20000, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
    const std::vector<std::string> options = {"--program", "Chorus", "--half", "B", "--set", "Delay One=35"};
    const std::pair<const char *, std::vector<std::string>> cases[] = {
        {"p.fxp", {"--program", "Chorus", "--half", "B"}}, {"b.fxb", {}}};
    std::vector<std::string> direct = {"render", file("in.wav"), file("direct.wav")};
    direct.insert(direct.end(), options.begin(), options.end());
    ASSERT_EQ(run(direct).status, 0);
    for (const auto &[name, loadOptions] : cases)
    {
        std::vector<std::string> save = {"preset", "save", file(name)};
        save.insert(save.end(), options.begin(), options.end());
        const SResult saved = run(save);
        ASSERT_EQ(saved.status, 0) << saved.errors;
        std::vector<std::string> render = {"render", file("in.wav"), file("preset.wav"), "--preset", file(name)};
        render.insert(render.end(), loadOptions.begin(), loadOptions.end());
        ASSERT_EQ(run(render).status, 0) << name;
        EXPECT_TRUE(m_folder.read("preset.wav") == m_folder.read("direct.wav")) << name;
        EXPECT_NE(run({"preset", "show", file(name)}).out.find("Chorus"), std::string::npos) << name;
    }
    EXPECT_NE(run({"preset", "show", file("b.fxb")}).out.find("Delay One      35.00"), std::string::npos);
}

// The demo phrase is one signal in both channels: the input's figures are those of mono.
TEST_F(ZeloCommand, ReportAndPlotOfTheDemoRendering)
{
    const SResult result = run({"render", "--demo", file("demo.wav"), "--report", "--report-json", file("r.json"),
                                "--plot", file("plot.png"), "--program", "Vocals wide"});
    ASSERT_EQ(result.status, 0) << result.errors;
    for (const char *row : {"Loudness (LUFS)", "Correlation L/R       +1.000", "Width (side/mid)       0.000"})
        EXPECT_NE(result.out.find(row), std::string::npos) << row << " missing from\n" << result.out;
    const std::string json = m_folder.read("r.json");
    EXPECT_NE(json.find("\"correlation\": 1.0000, \"mono_sum_db\": 0.0000, \"width\": 0.0000}"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"loudness_change_lu\": "), std::string::npos) << json;
    const std::string png = m_folder.read("plot.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // The IHDR chunk's big-endian width and height.
    const auto at = [&](size_t offset) {
        return static_cast<unsigned char>(png[offset]) << 8 | static_cast<unsigned char>(png[offset + 1]);
    };
    EXPECT_EQ(at(18), 1200);
    EXPECT_EQ(at(22), 850);
}

// Devices and pipes are written in place, a link's target is written through it,
// "-" is standard output; none of them is replaced by a regular file.
TEST_F(ZeloCommand, OutputsThatAreNotRegularFilesStayWhatTheyAre)
{
    writeSound(file("in.wav"), sweep(44100, 2, 5000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const bool hasDevice = mknod(file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    ASSERT_EQ(mkfifo(file("fifo").c_str(), 0666), 0);
    std::ofstream(file("real.wav")) << "earlier";
    fs::create_symlink("real.wav", file("link.wav"));
    auto piped = std::async(std::launch::async, [&] { return m_folder.read("fifo"); });
    EXPECT_EQ(run({"render", file("in.wav"), file("fifo")}).status, 0);
    EXPECT_GT(piped.get().size(), 20000u);
    EXPECT_TRUE(fs::is_fifo(file("fifo")));
    EXPECT_EQ(run({"render", file("in.wav"), file("link.wav"), "--no-tail"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(file("link.wav")));
    EXPECT_EQ(readSound(file("real.wav")).frames(), 5000u);
    const SResult toStdout = run({"render", file("in.wav"), "-"});
    EXPECT_EQ(toStdout.status, 0) << toStdout.errors;
    EXPECT_EQ(toStdout.out.substr(0, 4), "RIFF");
    EXPECT_EQ(run({"render", file("in.wav"), "-", "--type", "flac"}).out.substr(0, 4), "fLaC");
    if (!hasDevice)
        GTEST_SKIP() << "no permission to make a device node";
    EXPECT_EQ(run({"render", file("in.wav"), file("null")}).status, 0);
    EXPECT_TRUE(fs::is_character_file(file("null")));
}

// The same file under another name or through a link is still the input.
TEST_F(ZeloCommand, RefusesToOverwriteAnInputAndKeepsAnOutputsMode)
{
    writeSound(file("a.wav"), sweep(44100, 2, 3000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const std::string original = m_folder.read("a.wav");
    fs::create_symlink("a.wav", file("same.wav"));
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"render", file("a.wav"), file("a.wav")},
          std::vector<std::string>{"render", file("a.wav"), file("same.wav")},
          std::vector<std::string>{"render", file("a.wav"), "--out-dir", m_folder.path()}})
    {
        const SResult result = run(arguments);
        EXPECT_EQ(result.status, 1) << testing::PrintToString(arguments);
        EXPECT_NE(result.errors.find("is the input '" + file("a.wav") + "'"), std::string::npos) << result.errors;
        EXPECT_TRUE(m_folder.read("a.wav") == original);
    }
    for (const std::vector<std::string> &command : {std::vector<std::string>{"render", file("a.wav"), file("out.wav")},
                                                    std::vector<std::string>{"preset", "save", file("out.fxp")}})
    {
        std::ofstream(command.back()) << "earlier";
        for (const auto &[mode, force, status] : {std::tuple{0640, false, 0}, {0444, false, 1}, {0444, true, 0}})
        {
            fs::permissions(command.back(), static_cast<fs::perms>(mode));
            std::vector<std::string> arguments = command;
            if (force)
                arguments.push_back("--force");
            EXPECT_EQ(run(arguments).status, status) << command[0] << " " << mode;
            EXPECT_EQ(fs::status(command.back()).permissions(), static_cast<fs::perms>(mode)) << mode;
        }
    }
    EXPECT_EQ(listFolder(), (std::vector<std::string>{"a.wav", "out.fxp", "out.wav", "same.wav"}));
}

TEST_F(ZeloCommand, InterruptedRenderLeavesNoFileBehind)
{
    writeSound(file("in.wav"), sweep(44100, 2, 44100 * 20, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const pid_t child = fork();
    if (child == 0)
    {
        execl(ZELO_BINARY, ZELO_BINARY, "render", file("in.wav").c_str(), file("out.wav").c_str(), "--block", "1",
              "--plugin", ZELO_PLUGIN_PATH, static_cast<char *>(nullptr));
        _exit(127);
    }
    // Until the temporary file shows, for ten seconds at most, and only while the render runs.
    int status = 0;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (listFolder().size() < 2 && std::chrono::steady_clock::now() < deadline && !ended)
    {
        ended = waitpid(child, &status, WNOHANG) == child;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(child, SIGINT);
    if (!ended)
        waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGINT) << status;
    EXPECT_EQ(listFolder(), std::vector<std::string>{"in.wav"});
}

// Lossy inputs have no bit depth: a PCM container gets 24 bits unless --bits says otherwise.
TEST_F(ZeloCommand, LossyInputsRenderToWavAtTheDepthAsked)
{
    const std::tuple<const char *, int, const char *, int> cases[] = {
        {"in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, nullptr, SF_FORMAT_PCM_24},
        {"in.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, nullptr, SF_FORMAT_PCM_24},
        {"in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, "16", SF_FORMAT_PCM_16},
        {"in.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, "32", SF_FORMAT_PCM_32},
        {"in.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, "float", SF_FORMAT_FLOAT}};
    for (const auto &[input, format, bits, subtype] : cases)
    {
        writeSound(file(input), sweep(44100, 2, 8000, format));
        std::vector<std::string> arguments = {"render", file(input), file("out.wav")};
        if (bits)
            arguments.insert(arguments.end(), {"--bits", bits});
        const SResult result = run(arguments);
        ASSERT_EQ(result.status, 0) << input << ": " << result.errors;
        EXPECT_EQ(readSound(file("out.wav")).format, SF_FORMAT_WAV | subtype) << input << " " << (bits ? bits : "");
    }
    EXPECT_EQ(run({"render", file("in.ogg"), file("out.wav"), "--bits", "12"}).status, 2);
}

TEST_F(ZeloCommand, DamagedEmptyAndLongNamedFiles)
{
    writeSound(file("long.wav"), sweep(44100, 2, 10000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    fs::resize_file(file("long.wav"), 44 + 4000 * 4);
    SResult result = run({"render", file("long.wav"), file("out.wav")});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.errors.find("'" + file("long.wav") + "': warning: 6000 frames missing"), std::string::npos)
        << result.errors;

    // libsndfile writes no FLAC stream without audio: that is an error, not an empty file.
    writeSound(file("empty.wav"), SSound{44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, {}});
    EXPECT_EQ(run({"render", file("empty.wav"), file("empty-out.wav")}).status, 0);
    EXPECT_EQ(readSound(file("empty-out.wav")).format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    result = run({"render", file("empty.wav"), file("empty.flac")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("'" + file("empty.flac") + "': cannot write an empty FLAC file"), std::string::npos)
        << result.errors;
    EXPECT_FALSE(fs::exists(file("empty.flac")));

    const std::string longName = std::string(251, 'n') + ".wav";
    result = run({"render", file("long.wav"), file(longName)});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(fs::is_regular_file(file(longName)));

    // The output is checked before the input is even opened.
    fs::create_directory(file("folder"));
    result = run({"render", file("missing.wav"), file("folder")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("'" + file("folder") + "': cannot write (is a folder)"), std::string::npos)
        << result.errors;
}

// FLAC cannot be decoded from a pipe as it streams: standard input is gathered
// first, and renders as the file itself does.
TEST_F(ZeloCommand, StandardInputTakesFlacFromAPipe)
{
    writeSound(file("in.flac"), sweep(44100, 2, 20000, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
    ASSERT_EQ(run({"render", file("in.flac"), file("direct.wav")}).status, 0);
    const std::string piped = "cat '" + file("in.flac") + "' | '" + ZELO_BINARY + "' render - '" + file("piped.wav") +
                              "' --plugin '" + ZELO_PLUGIN_PATH + "' 2>/dev/null";
    ASSERT_EQ(std::system(piped.c_str()), 0);
    EXPECT_TRUE(m_folder.read("piped.wav") == m_folder.read("direct.wav"));
}

// With "-" as the output, reports and notes go to standard error; a full standard output is an error.
TEST_F(ZeloCommand, StandardOutputCarriesTheAudioAlone)
{
    writeSound(file("in.wav"), sweep(44100, 2, 5000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    SResult result = run({"render", file("in.wav"), "-", "--report"});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out.find("Loudness"), std::string::npos);
    EXPECT_NE(result.errors.find("Loudness (LUFS)"), std::string::npos) << result.errors;
    result = run({"render", "--demo", "-", "--type", "raw"});
    EXPECT_EQ(result.out.find("Rendered"), std::string::npos);
    EXPECT_EQ(result.errors, "Rendered the demo phrase into standard output\n");
    result = run({"info"}, true, "/dev/full");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "zelo: cannot write to standard output: No space left on device\n");
}

// A report or plot that cannot be written fails before the rendering, leaving no output.
TEST_F(ZeloCommand, EveryOutputIsCheckedBeforeRendering)
{
    writeSound(file("in.wav"), sweep(44100, 2, 3000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--plot", file("none/plot.png")},
         "'" + file("none/plot.png") + "': cannot write (no folder '" + file("none") + "')"},
        {{"--report-json", m_folder.path()}, "'" + m_folder.path() + "': cannot write (is a folder)"},
        {{"--report-json", file("in.wav")}, "is the input"}};
    for (const auto &[options, message] : cases)
    {
        std::vector<std::string> arguments = {"render", file("in.wav"), file("out.wav")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const SResult result = run(arguments);
        EXPECT_EQ(result.status, 1) << message;
        EXPECT_NE(result.errors.find(message), std::string::npos) << result.errors;
        EXPECT_EQ(listFolder(), std::vector<std::string>{"in.wav"}) << message;
    }
}

// --type names the format (and, in a batch, the extension); the last of repeated options counts.
TEST_F(ZeloCommand, TypeChoosesTheFormatOfEveryOutput)
{
    writeSound(file("a.wav"), sweep(44100, 2, 3000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    writeSound(file("b.aiff"), sweep(44100, 1, 3000, SF_FORMAT_AIFF | SF_FORMAT_PCM_16));
    const SResult batch = run({"render", file("a.wav"), file("b.aiff"), "--out-dir", file("d"), "--type", "flac"});
    ASSERT_EQ(batch.status, 0) << batch.errors;
    EXPECT_EQ(batch.out, "2 rendered, 0 failed\n");
    for (const char *name : {"d/a.flac", "d/b.flac"})
        EXPECT_EQ(readSound(file(name)).format & SF_FORMAT_TYPEMASK, SF_FORMAT_FLAC) << name;
    EXPECT_EQ(run({"render", file("a.wav"), "-", "--type", "wav", "--type", "flac"}).out.substr(0, 4), "fLaC");
    const SResult unknown = run({"render", file("a.wav"), "-", "--type", "wave"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.errors.find("--type wave: expected one of "), std::string::npos) << unknown.errors;
    EXPECT_NE(unknown.errors.find(" flac, "), std::string::npos) << unknown.errors;
}

// Mistakes name the option at fault; -o and "--" are understood; --help names the module in use.
TEST_F(ZeloCommand, OptionMessagesSayWhatIsWrong)
{
    writeSound(file("in.wav"), sweep(44100, 2, 3000, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    const std::pair<std::vector<std::string>, const char *> mistakes[] = {
        {{"render", "--frobnicate"}, "zelo: unknown option '--frobnicate'\n"},
        {{"info", "--frobnicate", "x"}, "zelo: unknown option '--frobnicate'\n"},
        {{"render", "in.wav", "-x.wav"}, "zelo: unknown option '-x.wav' (a file whose name starts with '-' goes after"},
        {{"info", "--plugin", ""}, "zelo: --plugin was given an empty value\n"},
        {{"render", "in.wav", "-o", "a.wav", "--out-dir", "d"}, "zelo: -o names one output, --out-dir a folder"},
        {{"render", "in.wav", "--tail", "-1"}, "zelo: --tail -1: expected seconds from 0 to "},
        {{"render", "in.wav", "--tail=1s"}, "zelo: --tail 1s: expected seconds from 0 to "},
        {{"preset", "save", "a.fxp", "--no-tail"}, "zelo: --no-tail applies to render only\n"}};
    for (const auto &[arguments, message] : mistakes)
    {
        const SResult result = run(arguments, false);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(result.errors.rfind(message, 0), 0u) << result.errors;
    }
    EXPECT_EQ(run({"render", "in.wav", "-o", "out.wav"}).status, 0);
    EXPECT_EQ(run({"render", "--plugin", ZELO_PLUGIN_PATH, "--", "in.wav", "-out.wav"}, false).status, 0);
    EXPECT_EQ(listFolder(), (std::vector<std::string>{"-out.wav", "in.wav", "out.wav"}));
    EXPECT_NE(run({"--help"}, false).out.find("\nPlug-in: " ZELO_PLUGIN_PATH "\n"), std::string::npos);
    const std::string help = run({"info", "--plugin", "/nowhere/Other.so", "--help"}, false).out;
    EXPECT_NE(help.find("\nPlug-in: /nowhere/Other.so (not found)\n"), std::string::npos) << help;
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
