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
// Frames read or written per libsndfile call, so a long file never needs a second
// interleaved copy of itself in memory.
constexpr sf_count_t CHUNK_FRAMES = 65536;

struct SoundFileCloser
{
    void operator()(SNDFILE *file) const { sf_close(file); }
};
using SoundFilePointer = std::unique_ptr<SNDFILE, SoundFileCloser>;

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

// A temporary file beside the destination that removes itself unless committed.
class CTemporaryFile
{
public:
    explicit CTemporaryFile(const std::string &destination) : m_destination(destination)
    {
        const std::filesystem::path target(destination);
        const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
        std::string pattern = (folder / ("." + target.filename().string() + ".zelo-XXXXXX")).string();
        m_descriptor = mkstemp(pattern.data());
        if (m_descriptor < 0)
        {
            throw std::runtime_error(destination + ": cannot write (" + std::strerror(errno) + ")");
        }
        m_path = pattern;
        // mkstemp creates the file private to us; the result should get the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(m_descriptor, 0666 & ~mask);
    }
    ~CTemporaryFile()
    {
        if (m_descriptor >= 0)
        {
            close(m_descriptor);
        }
        if (!m_isCommitted)
        {
            std::remove(m_path.c_str());
        }
    }
    CTemporaryFile(const CTemporaryFile &) = delete;
    CTemporaryFile &operator=(const CTemporaryFile &) = delete;

    // Ownership of the descriptor passes to the caller.
    int releaseDescriptor() { return std::exchange(m_descriptor, -1); }

    void commit()
    {
        if (std::rename(m_path.c_str(), m_destination.c_str()) != 0)
        {
            throw std::runtime_error(m_destination + ": cannot write (" + std::strerror(errno) + ")");
        }
        m_isCommitted = true;
    }

private:
    std::string m_destination;
    std::string m_path;
    int m_descriptor = -1;
    bool m_isCommitted = false;
};
} // namespace

CAudioFile CAudioFile::read(const std::string &path)
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

    SF_INFO info{};
    const SoundFilePointer file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
    {
        throw std::runtime_error(path + ": unsupported or damaged sound file (" + sf_strerror(nullptr) + ")");
    }
    if (info.channels < 1 || info.channels > 2)
    {
        throw std::runtime_error(path + ": unsupported channel count " + std::to_string(info.channels) +
                                 " (Zelo takes mono or stereo)");
    }

    CStereoSignal signal;
    signal.sampleRate = info.samplerate;
    std::vector<float> chunk(static_cast<size_t>(CHUNK_FRAMES * info.channels));
    for (;;)
    {
        const sf_count_t got = sf_readf_float(file.get(), chunk.data(), CHUNK_FRAMES);
        if (got <= 0)
        {
            break;
        }
        for (sf_count_t frame = 0; frame < got; ++frame)
        {
            const float *samples = &chunk[static_cast<size_t>(frame * info.channels)];
            signal.left.push_back(samples[0]);
            signal.right.push_back(samples[info.channels - 1]);
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
    {
        throw std::runtime_error(path + ": unreadable (" + sf_strerror(file.get()) + ")");
    }
    CAudioFile result(std::move(signal), info.format);
    result.m_channels = info.channels;
    return result;
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
    CTemporaryFile temporary(path);
    SF_INFO info{};
    info.samplerate = signal.sampleRate;
    info.channels = 2;
    info.format = format;
    SoundFilePointer file(sf_open_fd(temporary.releaseDescriptor(), SFM_WRITE, &info, SF_TRUE));
    if (!file)
    {
        throw std::runtime_error(path + ": cannot write (" + sf_strerror(nullptr) + ")");
    }
    // Overs clip instead of wrapping round in integer formats; no PEAK chunk, whose
    // time stamp would make two renders of the same input differ.
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);

    std::vector<float> chunk(static_cast<size_t>(CHUNK_FRAMES * 2));
    for (size_t start = 0; start < signal.frames(); start += CHUNK_FRAMES)
    {
        const size_t count = std::min(signal.frames() - start, static_cast<size_t>(CHUNK_FRAMES));
        for (size_t frame = 0; frame < count; ++frame)
        {
            chunk[2 * frame] = signal.left[start + frame];
            chunk[2 * frame + 1] = signal.right[start + frame];
        }
        if (sf_writef_float(file.get(), chunk.data(), static_cast<sf_count_t>(count)) != static_cast<sf_count_t>(count))
        {
            throw std::runtime_error(path + ": cannot write (" + sf_strerror(file.get()) + ")");
        }
    }
    // Closing writes the header; only a clean close makes the file complete.
    if (sf_close(file.release()) != 0)
    {
        throw std::runtime_error(path + ": cannot write (" + sf_strerror(nullptr) + ")");
    }
    temporary.commit();
}
} // namespace Zelo::Tools
