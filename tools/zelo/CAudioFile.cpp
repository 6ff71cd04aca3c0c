#include "tools/zelo/CAudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
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
// A 32-bit chunk size from here up stands for "unknown": writers streaming to a
// pipe put 0xFFFFFFFF or sox's 0x7FFFF000 there, and RF64 keeps the real size elsewhere.
constexpr uint32_t UNKNOWN_CHUNK_SIZE = 0x7FFFF000;
// Enough of a WAV file to hold every chunk libsndfile writes before the samples.
constexpr size_t HEADER_BYTES = 4096;

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char character) { return static_cast<char>(std::tolower(character)); });
    return text;
}

// Every extension and the container it names: libsndfile lists one extension per
// container ("oga" for Ogg), so the names people actually type come first.
std::vector<std::pair<std::string, int>> containerExtensions()
{
    std::vector<std::pair<std::string, int>> extensions = {{"ogg", SF_FORMAT_OGG},  {"opus", SF_FORMAT_OGG},
                                                           {"aif", SF_FORMAT_AIFF}, {"aifc", SF_FORMAT_AIFF},
                                                           {"mp3", SF_FORMAT_MPEG}, {"snd", SF_FORMAT_AU}};
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof(count));
    for (int index = 0; index < count; ++index)
    {
        SF_FORMAT_INFO info{};
        info.format = index;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof(info));
        if (info.extension != nullptr)
        {
            extensions.emplace_back(info.extension, info.format);
        }
    }
    return extensions;
}

// The container an extension names; 0 for none.
int majorFormatForExtension(const std::string &extension)
{
    for (const auto &[name, format] : containerExtensions())
    {
        if (name == extension)
        {
            return format;
        }
    }
    return 0;
}

// Samples stored as they are, not through a codec: the ones worth keeping.
bool isLinear(int subtype)
{
    return subtype == SF_FORMAT_PCM_S8 || subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_16 ||
           subtype == SF_FORMAT_PCM_24 || subtype == SF_FORMAT_PCM_32 || subtype == SF_FORMAT_FLOAT ||
           subtype == SF_FORMAT_DOUBLE;
}

// Bytes a linear sample takes in a file; 0 for codecs.
int bytesPerSample(int subtype)
{
    switch (subtype)
    {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return 1;
    case SF_FORMAT_PCM_16:
        return 2;
    case SF_FORMAT_PCM_24:
        return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 4;
    case SF_FORMAT_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

// The codec a container is made for; libsndfile's format check also accepts
// some it cannot write (MP3 in WAV), so codecs are tried only in their own container.
int codecFor(int major, const std::string &extension)
{
    switch (major)
    {
    case SF_FORMAT_OGG:
        return extension == ".opus" ? SF_FORMAT_OPUS : SF_FORMAT_VORBIS;
    case SF_FORMAT_MPEG:
        return SF_FORMAT_MPEG_LAYER_III;
    default:
        return 0;
    }
}

// Containers libsndfile writes no stream into until audio arrives.
bool needsAudio(int format)
{
    const int major = format & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_FLAC || major == SF_FORMAT_OGG || major == SF_FORMAT_MPEG;
}

// Integer samples, which libsndfile cuts off at full scale.
bool isInteger(int subtype)
{
    return isLinear(subtype) && subtype != SF_FORMAT_FLOAT && subtype != SF_FORMAT_DOUBLE;
}

bool isFloatWav(int format)
{
    return (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && isLinear(format & SF_FORMAT_SUBMASK) &&
           !isInteger(format & SF_FORMAT_SUBMASK);
}

uint32_t littleEndian32(const unsigned char *bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void putLittleEndian32(unsigned char *bytes, uint32_t value)
{
    for (int index = 0; index < 4; ++index)
    {
        bytes[index] = static_cast<unsigned char>(value >> (8 * index));
    }
}

bool isWritable(int format, int sampleRate)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    return sf_format_check(&info) != 0;
}

// Standard input as a descriptor libsndfile can seek: itself when it is a file,
// else all of it gathered in an unnamed file in $TMPDIR (FLAC, for one, cannot
// be decoded from a pipe as it streams). The caller closes a gathered copy.
int seekableStandardInput()
{
    if (lseek(STDIN_FILENO, 0, SEEK_CUR) >= 0)
    {
        return STDIN_FILENO;
    }
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "zelo-input-XXXXXX").string();
    const int copy = error ? -1 : mkstemp(pattern.data());
    if (copy < 0)
    {
        throw std::runtime_error("'-': cannot gather standard input in the temporary folder (" +
                                 std::string(std::strerror(errno)) + ")");
    }
    unlink(pattern.c_str());
    std::vector<char> buffer(1 << 16);
    for (ssize_t count; (count = read(STDIN_FILENO, buffer.data(), buffer.size())) != 0;)
    {
        if (count < 0 ? errno != EINTR : write(copy, buffer.data(), static_cast<size_t>(count)) != count)
        {
            const std::string reason = std::strerror(errno);
            close(copy);
            throw std::runtime_error("'-': cannot gather standard input (" + reason + ")");
        }
    }
    lseek(copy, 0, SEEK_SET);
    return copy;
}
} // namespace

CAudioFile::CReader::CReader(const std::string &path) : m_path(path)
{
    if (path == "-")
    {
        const int input = seekableStandardInput();
        m_file.reset(sf_open_fd(input, SFM_READ, &m_info, input == STDIN_FILENO ? SF_FALSE : SF_TRUE));
        if (!m_file)
        {
            throw std::runtime_error("'-': unsupported sound on standard input (" + std::string(sf_strerror(nullptr)) +
                                     ")");
        }
        return;
    }
    struct stat status
    {
    };
    if (stat(path.c_str(), &status) != 0)
    {
        throw std::runtime_error("'" + path + "': cannot read (" + std::strerror(errno) + ")");
    }
    if (S_ISDIR(status.st_mode))
    {
        throw std::runtime_error("'" + path + "': cannot read (is a folder)");
    }
    if (access(path.c_str(), R_OK) != 0)
    {
        throw std::runtime_error("'" + path + "': cannot read (" + std::strerror(errno) + ")");
    }

    m_file.reset(sf_open(path.c_str(), SFM_READ, &m_info));
    if (!m_file)
    {
        throw std::runtime_error("'" + path + "': unsupported or damaged sound file (" + sf_strerror(nullptr) + ")");
    }
    if (m_info.channels < 1 || m_info.channels > 2)
    {
        throw std::runtime_error("'" + path + "': unsupported channel count " + std::to_string(m_info.channels) +
                                 " (Zelo takes mono or stereo)");
    }
    m_statedFrames = statedFrames();
}

size_t CAudioFile::CReader::statedFrames()
{
    if (!m_info.seekable || m_info.frames == SF_COUNT_MAX)
    {
        return 0;
    }
    return std::max(static_cast<size_t>(m_info.frames), framesInDataChunk());
}

size_t CAudioFile::CReader::framesInDataChunk()
{
    // The bytes of a chunk's own fields before the samples: none in WAV's "data",
    // offset and block size in AIFF's "SSND".
    const std::pair<const char *, uint32_t> chunks[] = {{"data", 0}, {"SSND", 8}};
    const int sampleBytes = bytesPerSample(m_info.format & SF_FORMAT_SUBMASK);
    const int major = m_info.format & SF_FORMAT_TYPEMASK;
    if ((major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX && major != SF_FORMAT_AIFF) || sampleBytes == 0)
    {
        return 0;
    }
    for (const auto &[id, fieldBytes] : chunks)
    {
        SF_CHUNK_INFO wanted{};
        std::strcpy(wanted.id, id);
        wanted.id_size = 4;
        SF_CHUNK_ITERATOR *chunk = sf_get_chunk_iterator(m_file.get(), &wanted);
        SF_CHUNK_INFO found{};
        if (chunk == nullptr || sf_get_chunk_size(chunk, &found) != SF_ERR_NO_ERROR || found.datalen < fieldBytes ||
            found.datalen >= UNKNOWN_CHUNK_SIZE)
        {
            continue;
        }
        return (found.datalen - fieldBytes) / static_cast<size_t>(sampleBytes * m_info.channels);
    }
    return 0;
}

size_t CAudioFile::CReader::missingFrames() const
{
    return m_statedFrames > m_framesRead ? m_statedFrames - m_framesRead : 0;
}

CAudioFile::Metadata CAudioFile::CReader::metadata() const
{
    Metadata metadata;
    for (int kind = SF_STR_FIRST; kind <= SF_STR_LAST; ++kind)
    {
        if (const char *text = sf_get_string(m_file.get(), kind); text && *text)
        {
            metadata.emplace_back(kind, text);
        }
    }
    return metadata;
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
        throw std::runtime_error("'" + m_path + "': unreadable (" + sf_strerror(m_file.get()) + ")");
    }
    m_framesRead += done;
    const float *samples = m_interleaved.data();
    for (size_t frame = 0; frame < done; ++frame, samples += channels)
    {
        left[frame] = samples[0];
        right[frame] = samples[channels - 1];
    }
    return done;
}

CAudioFile::CWriter::CWriter(const std::string &path, int sampleRate, int format, bool isForced)
    : m_destination(path, isForced), m_format(format)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = format;
    const int descriptor = m_destination.takeDescriptor();
    if (isFloatWav(format))
    {
        m_headerDescriptor = dup(descriptor);
    }
    m_file.reset(sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE));
    if (!m_file)
    {
        throw std::runtime_error("'" + path + "': cannot write (" + sf_strerror(nullptr) + ")");
    }
    // Overs clip instead of wrapping round in integer formats; no PEAK chunk, whose
    // time stamp would make two renders of the same input differ.
    sf_command(m_file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    sf_command(m_file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

CAudioFile::CWriter::~CWriter()
{
    if (m_headerDescriptor >= 0)
    {
        close(m_headerDescriptor);
    }
}

void CAudioFile::CWriter::countClipped(const float *samples, size_t count, size_t channel)
{
    if (isInteger(m_format & SF_FORMAT_SUBMASK))
    {
        m_clipped[channel] += static_cast<size_t>(
            std::count_if(samples, samples + count, [](float sample) { return std::fabs(sample) > 1.0f; }));
    }
}

std::string CAudioFile::CWriter::clippingNote() const
{
    if (m_clipped[0] == 0 && m_clipped[1] == 0)
    {
        return {};
    }
    return "zelo: '" + m_destination.path() + "': warning: " + std::to_string(m_clipped[0]) +
           " samples clipped on the left, " + std::to_string(m_clipped[1]) + " on the right\n";
}

void CAudioFile::CWriter::write(const float *left, const float *right, size_t frames)
{
    m_frames += frames;
    countClipped(left, frames, 0);
    countClipped(right, frames, 1);
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
            throw std::runtime_error("'" + m_destination.path() + "': cannot write (" + sf_strerror(m_file.get()) +
                                     ")");
        }
    }
}

void CAudioFile::CWriter::setMetadata(const Metadata &metadata)
{
    for (const auto &[kind, text] : metadata)
    {
        sf_set_string(m_file.get(), kind, text.c_str());
    }
}

void CAudioFile::CWriter::commit()
{
    if (m_frames == 0 && needsAudio(m_format))
    {
        SF_FORMAT_INFO major{};
        major.format = m_format & SF_FORMAT_TYPEMASK;
        sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof(major));
        // "FLAC (Free Lossless Audio Codec)": the name without its gloss.
        const std::string name = major.name ? major.name : "sound";
        throw std::runtime_error("'" + m_destination.path() + "': cannot write an empty " +
                                 name.substr(0, name.find(" (")) + " file (the input holds no audio)");
    }
    // Closing writes the header; only a clean close makes the file complete.
    if (sf_close(m_file.release()) != 0)
    {
        throw std::runtime_error("'" + m_destination.path() + "': cannot write (" + sf_strerror(nullptr) + ")");
    }
    extendFloatFormatChunk();
    m_destination.commit();
}

// libsndfile pads the header so the samples start on a boundary: the two bytes
// the extension takes come out of that padding chunk, so no sample moves.
void CAudioFile::CWriter::extendFloatFormatChunk()
{
    if (m_headerDescriptor < 0)
    {
        return;
    }
    unsigned char header[HEADER_BYTES];
    const ssize_t size = pread(m_headerDescriptor, header, sizeof(header), 0);
    if (size < 0)
    {
        throw std::runtime_error("'" + m_destination.path() + "': cannot write (" + std::strerror(errno) + ")");
    }
    // "RIFF" size "WAVE", then "fmt " 16 and its 16 bytes at 12.
    constexpr size_t FORMAT_END = 36;
    if (static_cast<size_t>(size) < FORMAT_END || std::memcmp(header + 12, "fmt ", 4) != 0 ||
        littleEndian32(header + 16) != 16)
    {
        return;
    }
    for (size_t at = FORMAT_END; at + 10 <= static_cast<size_t>(size); at += 8 + littleEndian32(header + at + 4))
    {
        const uint32_t chunkSize = littleEndian32(header + at + 4);
        if (std::memcmp(header + at, "data", 4) == 0)
        {
            return;
        }
        if (std::memcmp(header + at, "PAD ", 4) == 0 && chunkSize >= 2)
        {
            // Chunks between the fmt chunk and the padding move up by two bytes.
            std::memmove(header + FORMAT_END + 2, header + FORMAT_END, at + 8 - FORMAT_END);
            header[FORMAT_END] = header[FORMAT_END + 1] = 0;
            putLittleEndian32(header + 16, 18);
            putLittleEndian32(header + at + 2 + 4, chunkSize - 2);
            if (pwrite(m_headerDescriptor, header, at + 10, 0) != static_cast<ssize_t>(at + 10))
            {
                throw std::runtime_error("'" + m_destination.path() + "': cannot write (" + std::strerror(errno) + ")");
            }
            return;
        }
    }
}

int CAudioFile::outputFormat(const std::string &path, int fallbackFormat, int sampleRate, int subtype,
                             const std::string &type)
{
    const std::string extension =
        lowerCase(type.empty() ? std::filesystem::path(path).extension().string() : "." + type);
    const int named = extension.empty() ? 0 : majorFormatForExtension(extension.substr(1));
    const int major = named != 0 ? named : fallbackFormat & SF_FORMAT_TYPEMASK;
    const int fallbackSubtype = fallbackFormat & SF_FORMAT_SUBMASK;
    std::vector<int> subtypes;
    if (subtype != 0)
    {
        subtypes = {subtype};
    }
    else if (named == 0 && !isLinear(fallbackSubtype))
    {
        subtypes = {fallbackSubtype};
    }
    else
    {
        if (isLinear(fallbackSubtype))
        {
            subtypes.push_back(fallbackSubtype);
        }
        if (codecFor(major, extension) != 0)
        {
            subtypes.push_back(codecFor(major, extension));
        }
        // One by one: GCC 12 sees a false bounds overflow in insert of a list here.
        for (const int linear : {SF_FORMAT_PCM_24, SF_FORMAT_PCM_16, SF_FORMAT_FLOAT})
        {
            subtypes.push_back(linear);
        }
    }
    for (const int candidate : subtypes)
    {
        if (isWritable(major | candidate, sampleRate))
        {
            return major | candidate;
        }
    }
    throw std::runtime_error("'" + path + "': unsupported output format" + (subtype != 0 ? " for --bits" : "") +
                             " at " + std::to_string(sampleRate) + " Hz stereo");
}

int CAudioFile::subtypeForBits(const std::string &bits)
{
    const std::pair<const char *, int> subtypes[] = {
        {"16", SF_FORMAT_PCM_16}, {"24", SF_FORMAT_PCM_24}, {"32", SF_FORMAT_PCM_32}, {"float", SF_FORMAT_FLOAT}};
    for (const auto &[name, subtype] : subtypes)
    {
        if (bits == name)
        {
            return subtype;
        }
    }
    return 0;
}

void CAudioFile::write(const std::string &path, const CStereoSignal &signal, int format)
{
    CWriter writer(path, signal.sampleRate, format);
    writer.write(signal.left.data(), signal.right.data(), signal.frames());
    writer.commit();
}

std::vector<std::string> CAudioFile::extensions()
{
    std::vector<std::string> names;
    for (const auto &entry : containerExtensions())
    {
        names.push_back(entry.first);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
} // namespace Zelo::Tools
