// Sound files through CAudioFile and CReplacedFile on real files: the frames a
// cut file lacks, clipping in integer formats, the float WAV header, links and $TMPDIR.
#include "tests/foundation/CTemporaryFolder.h"
#include "tools/zelo/CAudioFile.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using Zelo::Tools::CAudioFile;
using Zelo::Tools::CReplacedFile;
using Zelo::Tools::CStereoSignal;

constexpr size_t FRAMES = 10000;
// A missing count a codec's block boundaries decide: only more than none is asked.
constexpr size_t SOME = std::numeric_limits<size_t>::max();

CStereoSignal signal(float peak)
{
    CStereoSignal sound;
    sound.sampleRate = 44100;
    for (size_t frame = 0; frame < FRAMES; ++frame)
    {
        sound.left.push_back(peak * static_cast<float>(std::sin(0.01 * static_cast<double>(frame))));
        sound.right.push_back(0.5f * sound.left.back());
    }
    return sound;
}

class AudioFile : public testing::Test
{
protected:
    std::string file(const std::string &name) const { return m_folder.file(name); }

    const Orvalite::Testing::CTemporaryFolder m_folder;
};

TEST_F(AudioFile, OnlyAFileCutShortOfItsHeaderHasMissingFrames)
{
    const struct
    {
        const char *name;
        int format;
        size_t bytesCut, missing;
    } cases[] = {{"16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0},
                 {"24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0, 0},
                 {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0, 0},
                 {"x.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 0, 0},
                 {"16.w64", SF_FORMAT_W64 | SF_FORMAT_PCM_16, 0, 0},
                 {"16.caf", SF_FORMAT_CAF | SF_FORMAT_PCM_16, 0, 0},
                 {"16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0, 0},
                 {"24.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 0, 0},
                 {"16.au", SF_FORMAT_AU | SF_FORMAT_PCM_16, 0, 0},
                 {"cut.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 6000 * 4, 6000},
                 {"cut.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 3000 * 6, 3000},
                 {"cut.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2000, SOME}};
    for (const auto &test : cases)
    {
        CAudioFile::write(file(test.name), signal(0.5f), test.format);
        fs::resize_file(file(test.name), fs::file_size(file(test.name)) - test.bytesCut);
        CAudioFile::CReader reader(file(test.name));
        std::vector<float> left(FRAMES), right(FRAMES);
        while (reader.read(left.data(), right.data(), FRAMES) == FRAMES)
        {
        }
        if (test.missing == SOME)
            EXPECT_GT(reader.missingFrames(), 0u) << test.name;
        else
            EXPECT_EQ(reader.missingFrames(), test.missing) << test.name;
    }
}

TEST_F(AudioFile, IntegerFormatsReportTheSamplesTheyClipPerChannel)
{
    // The left peaks at 1.5, over full scale a third of each half cycle; the right at 0.75.
    const struct
    {
        const char *name;
        int format;
        bool clips;
    } cases[] = {{"16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, true},
                 {"24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, true},
                 {"32.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, true},
                 {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, false}};
    const CStereoSignal loud = signal(1.5f);
    size_t over = 0;
    for (const float sample : loud.left)
        over += std::fabs(sample) > 1.0f ? 1 : 0;
    for (const auto &test : cases)
    {
        CAudioFile::CWriter writer(file(test.name), loud.sampleRate, test.format);
        writer.write(loud.left.data(), loud.right.data(), FRAMES);
        writer.commit();
        EXPECT_EQ(writer.clippedSamples()[0], test.clips ? over : 0u) << test.name;
        EXPECT_EQ(writer.clippedSamples()[1], 0u) << test.name;
        EXPECT_EQ(writer.clippingNote(), test.clips
                                             ? "zelo: '" + file(test.name) + "': warning: " + std::to_string(over) +
                                                   " samples clipped on the left, 0 on the right\n"
                                             : "")
            << test.name;
    }
}

// The texts a file carries travel from a reader to a writer, in WAV (an INFO
// list, also beside the float header's fix) and in FLAC (Vorbis comments).
TEST_F(AudioFile, MetadataTravelsFromInputToOutput)
{
    const CAudioFile::Metadata texts = {
        {SF_STR_TITLE, "Take 3"}, {SF_STR_ARTIST, "Orlen"}, {SF_STR_COMMENT, "doubled"}, {SF_STR_DATE, "2026"}};
    const std::pair<const char *, int> formats[] = {{"16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                                                    {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
                                                    {"16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16}};
    for (const auto &[extension, format] : formats)
    {
        {
            CAudioFile::CWriter writer(file(std::string("in") + extension), 44100, format);
            writer.setMetadata(texts);
            const CStereoSignal sound = signal(0.5f);
            writer.write(sound.left.data(), sound.right.data(), FRAMES);
            writer.commit();
        }
        const CAudioFile::CReader reader(file(std::string("in") + extension));
        EXPECT_EQ(reader.metadata(), texts) << extension;
    }
}

// sox warns "wave header missing extended part of fmt chunk" below 18 bytes.
TEST_F(AudioFile, FloatWavHasAFormatChunkWithItsExtensionAndReadsBack)
{
    for (const int subtype : {SF_FORMAT_FLOAT, SF_FORMAT_DOUBLE})
    {
        const CStereoSignal sound = signal(0.5f);
        CAudioFile::write(file("float.wav"), sound, SF_FORMAT_WAV | subtype);
        const std::string bytes = m_folder.read("float.wav");
        ASSERT_GT(bytes.size(), 38u);
        EXPECT_EQ(bytes.substr(12, 8), std::string("fmt \x12\0\0\0", 8)) << subtype;
        EXPECT_EQ(bytes.substr(36, 2), std::string("\0\0", 2)) << subtype;
        CAudioFile::CReader reader(file("float.wav"));
        std::vector<float> left(FRAMES), right(FRAMES);
        ASSERT_EQ(reader.read(left.data(), right.data(), FRAMES), FRAMES) << subtype;
        EXPECT_EQ(left, sound.left) << subtype;
        EXPECT_EQ(right, sound.right) << subtype;
        EXPECT_EQ(reader.missingFrames(), 0u) << subtype;
    }
}

// As sox does: a link to a file not yet there is written through, and stays a link.
TEST_F(AudioFile, LinksAreWrittenThroughWhetherOrNotTheirTargetExists)
{
    fs::create_directory(file("real"));
    fs::create_symlink("real/new.wav", file("dangling.wav"));
    std::ofstream(file("real/old.wav")) << "earlier";
    fs::create_symlink("real/old.wav", file("link.wav"));
    for (const char *name : {"dangling.wav", "link.wav"})
    {
        CAudioFile::write(file(name), signal(0.5f), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_TRUE(fs::is_symlink(file(name))) << name;
        CAudioFile::CReader reader(file(name));
        EXPECT_EQ(reader.frames(), FRAMES) << name;
    }
    EXPECT_TRUE(fs::is_regular_file(file("real/new.wav")));
}

// Standard output is gathered in $TMPDIR first: one that is no folder is an error.
TEST_F(AudioFile, OutputThatIsNoFileIsGatheredInTheTemporaryFolder)
{
    const char *previous = std::getenv("TMPDIR");
    const std::string saved = previous ? previous : "";
    setenv("TMPDIR", file("no-such-folder").c_str(), 1);
    EXPECT_THROW(CReplacedFile("-"), std::runtime_error);
    setenv("TMPDIR", m_folder.path().c_str(), 1);
    EXPECT_NO_THROW(CReplacedFile("-"));
    if (previous)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
}
} // namespace
