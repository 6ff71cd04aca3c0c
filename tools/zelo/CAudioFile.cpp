#include "tools/zelo/CAudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace Zelo::Tools
{
namespace
{
// Frames written per libsndfile call, so a long signal never needs a second
// interleaved copy of itself in memory.
constexpr sf_count_t CHUNK_FRAMES = 65536;

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    return text;
}

// The container an extension names. libsndfile lists one extension per container
// ("oga" for Ogg), so the names people actually type are added here.
int majorFormatForExtension(const std::string &extension)
{
    if (extension == "ogg" || extension == "opus")
    {
        return SF_FORMAT_OGG;
    }
    if (extension == "aif" || extension == "aifc")
    {
        return SF_FORMAT_AIFF;
    }
    if (extension == "mp3")
    {
        return SF_FORMAT_MPEG;
    }
    if (extension == "snd")
    {
        return SF_FORMAT_AU;
    }
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof(count));
    for (int index = 0; index < count; ++index)
    {
        SF_FORMAT_INFO info{};
        info.format = index;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof(info));
        if (info.extension != nullptr && extension == info.extension)
        {
            return info.format;
        }
    }
    return 0;
}

bool isWritable(int format, int sampleRate)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    return sf_format_check(&info) != 0;
}

} // namespace

CAudioFile::CReader::CReader(const std::string &path) : m_path(path)
{
    struct stat status
    {
    };
    if (stat(path.c_str(), &status) != 0)
    {
        throw std::runtime_error(path + ": cannot read (" + std::strerror(errno) + ")");
    }
    if (S_ISDIR(status.st_mode))
    {
        throw std::runtime_error(path + ": cannot read (is a folder)");
    }
    if (access(path.c_str(), R_OK) != 0)
    {
        throw std::runtime_error(path + ": cannot read (" + std::strerror(errno) + ")");
    }

    m_file.reset(sf_open(path.c_str(), SFM_READ, &m_info));
    if (!m_file)
    {
        throw std::runtime_error(path + ": unsupported or damaged sound file (" + sf_strerror(nullptr) + ")");
    }
    if (m_info.channels < 1 || m_info.channels > 2)
    {
        throw std::runtime_error(path + ": unsupported channel count " + std::to_string(m_info.channels) +
                                 " (Zelo takes mono or stereo)");
    }
}

size_t CAudioFile::CReader::read(float *left, float *right, size_t frames)
{
    const size_t channels = static_cast<size_t>(m_info.channels);
    m_interleaved.resize(std::max(m_interleaved.size(), frames * channels));
    size_t done = 0;
    while (done < frames)
    {
        const sf_count_t got = sf_readf_float(m_file.get(), m_interleaved.data() + done * channels,
                                              static_cast<sf_count_t>(frames - done));
        if (got <= 0)
        {
            break;
        }
        done += static_cast<size_t>(got);
    }
    if (sf_error(m_file.get()) != SF_ERR_NO_ERROR)
    {
        throw std::runtime_error(m_path + ": unreadable (" + sf_strerror(m_file.get()) + ")");
    }
    const float *samples = m_interleaved.data();
    for (size_t frame = 0; frame < done; ++frame, samples += channels)
    {
        left[frame] = samples[0];
        right[frame] = samples[channels - 1];
    }
    return done;
}

CAudioFile::CWriter::CWriter(const std::string &path, int sampleRate, int format) : m_destination(path)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    m_file.reset(sf_open_fd(m_destination.takeDescriptor(), SFM_WRITE, &info, SF_TRUE));
    if (!m_file)
    {
        throw std::runtime_error(path + ": cannot write (" + sf_strerror(nullptr) + ")");
    }
    // Overs clip instead of wrapping round in integer formats; no PEAK chunk, whose
    // time stamp would make two renders of the same input differ.
    sf_command(m_file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_command(m_file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

void CAudioFile::CWriter::write(const float *left, const float *right, size_t frames)
{
    m_interleaved.resize(std::max(m_interleaved.size(), 2 * std::min(frames, static_cast<size_t>(CHUNK_FRAMES))));
    for (size_t start = 0; start < frames; start += CHUNK_FRAMES)
    {
        const size_t count = std::min(frames - start, static_cast<size_t>(CHUNK_FRAMES));
        for (size_t frame = 0; frame < count; ++frame)
        {
            m_interleaved[2 * frame] = left[start + frame];
            m_interleaved[2 * frame + 1] = right[start + frame];
        }
        if (sf_writef_float(m_file.get(), m_interleaved.data(), static_cast<sf_count_t>(count)) !=
            static_cast<sf_count_t>(count))
        {
            throw std::runtime_error(m_destination.path() + ": cannot write (" + sf_strerror(m_file.get()) + ")");
        }
    }
}

void CAudioFile::CWriter::commit()
{
    // Closing writes the header; only a clean close makes the file complete.
    if (sf_close(m_file.release()) != 0)
    {
        throw std::runtime_error(m_destination.path() + ": cannot write (" + sf_strerror(nullptr) + ")");
    }
    m_destination.commit();
}

int CAudioFile::outputFormat(const std::string &path, int fallbackFormat, int sampleRate)
{
    const std::string extension = lowerCase(std::filesystem::path(path).extension().string());
    const int major = extension.empty() ? 0 : majorFormatForExtension(extension.substr(1));
    if (major == 0)
    {
        if (!isWritable(fallbackFormat, sampleRate))
        {
            throw std::runtime_error(path + ": unsupported output format");
        }
        return fallbackFormat;
    }

    // The input's sample format where the new container takes it, else the
    // container's own codec, else the usual PCM depths.
    std::vector<int> subtypes = {fallbackFormat & SF_FORMAT_SUBMASK};
    if (extension == ".opus")
    {
        subtypes.insert(subtypes.begin(), SF_FORMAT_OPUS);
    }
    subtypes.insert(subtypes.end(),
                    {SF_FORMAT_VORBIS, SF_FORMAT_MPEG_LAYER_III, SF_FORMAT_PCM_24, SF_FORMAT_PCM_16, SF_FORMAT_FLOAT});
    for (const int subtype : subtypes)
    {
        if (isWritable(major | subtype, sampleRate))
        {
            return major | subtype;
        }
    }
    throw std::runtime_error(path + ": unsupported output format for " + std::to_string(sampleRate) + " Hz stereo");
}

void CAudioFile::write(const std::string &path, const CStereoSignal &signal, int format)
{
    CWriter writer(path, signal.sampleRate, format);
    writer.write(signal.left.data(), signal.right.data(), signal.frames());
    writer.commit();
}
} // namespace Zelo::Tools
