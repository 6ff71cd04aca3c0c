// Sound files through libsndfile: a reader that delivers a file's frames chunk by
// chunk in the planar layout the plug-in processes, a writer that never leaves a
// partial file, and the format to write a file name in.
#pragma once

#include "tools/zelo/CReplacedFile.h"
#include "tools/zelo/CStereoSignal.h"

#include <sndfile.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Zelo::Tools
{
class CAudioFile
{
    struct SoundFileCloser
    {
        void operator()(SNDFILE *file) const { sf_close(file); }
    };
    using SoundFilePointer = std::unique_ptr<SNDFILE, SoundFileCloser>;

public:
    // The texts a file carries (title, artist, album, comment, date …) as
    // libsndfile's SF_STR_* kinds and their values.
    using Metadata = std::vector<std::pair<int, std::string>>;

    // A sound file open for reading, in any format libsndfile reads; a mono file
    // feeds both channels. Owned by the one thread that reads it.
    class CReader
    {
    public:
        // "-" reads standard input. Throws std::runtime_error naming the file and
        // the reason (missing, unreadable, unsupported format, more than two channels).
        explicit CReader(const std::string &path);

        const std::string &path() const { return m_path; }

        int sampleRate() const { return m_info.samplerate; }
        // libsndfile's SF_FORMAT_* major | subtype.
        int format() const { return m_info.format; }
        // As stored in the file, before a mono file is spread to both channels.
        int channels() const { return m_info.channels; }
        // As the file's header states it.
        size_t frames() const { return static_cast<size_t>(m_info.frames); }

        // Fills up to `frames` frames of both channels; returns how many, fewer only
        // at the end of the file. Throws naming the file when it turns out damaged.
        size_t read(float *left, float *right, size_t frames);
        // Frames the header promised that read() did not deliver, known once read()
        // has reached the end; 0 for a stream that states no length.
        size_t missingFrames() const;
        // The texts the file carries; empty when none.
        Metadata metadata() const;

    private:
        // The frames the header states; 0 when it states none (a pipe, a placeholder length).
        size_t statedFrames();
        // libsndfile cuts a data chunk longer than the file to what is there; the
        // chunk keeps the stated size. 0 for containers without such a chunk.
        size_t framesInDataChunk();

        std::string m_path;
        SF_INFO m_info{};
        size_t m_statedFrames = 0;
        size_t m_framesRead = 0;
        SoundFilePointer m_file;
        std::vector<float> m_interleaved;
    };

    // Writes stereo frames into a temporary file in the destination's folder and
    // renames it over the destination only on commit(), so a failure, or a writer
    // dropped uncommitted, leaves any earlier file as it was.
    class CWriter
    {
    public:
        // `format` as outputFormat() gives it; `isForced` replaces a read-only file.
        // Throws naming the file when it cannot write.
        CWriter(const std::string &path, int sampleRate, int format, bool isForced = false);
        ~CWriter();
        CWriter(const CWriter &) = delete;
        CWriter &operator=(const CWriter &) = delete;

        // Before the first write: the texts the output carries, where its format
        // holds them (WAV, AIFF, FLAC, Ogg …); the others are left out.
        void setMetadata(const Metadata &metadata);
        void write(const float *left, const float *right, size_t frames);
        // Completes the file and puts it in place; throws for a format that has
        // no empty file (FLAC, Ogg, MP3) when no frame was written.
        void commit();

        // Samples written so far beyond full scale (|x| > 1) that an integer
        // sample format cut off, left and right; always 0 for float formats.
        std::array<size_t, 2> clippedSamples() const { return m_clipped; }
        // "zelo: 'out.wav': warning: 12 samples clipped on the left, 3 on the
        // right" and a line end; empty when nothing clipped.
        std::string clippingNote() const;

    private:
        void countClipped(const float *samples, size_t count, size_t channel);
        // libsndfile writes a 16-byte fmt chunk for float WAV, which sox warns
        // about; this makes it the 18-byte one with an empty extension.
        void extendFloatFormatChunk();

        // Declared first so it outlives the sound file, which closes its descriptor.
        CReplacedFile m_destination;
        int m_format;
        size_t m_frames = 0;
        std::array<size_t, 2> m_clipped{};
        // A second descriptor of the output, for the header fix after libsndfile closes its own.
        int m_headerDescriptor = -1;
        SoundFilePointer m_file;
        std::vector<float> m_interleaved;
    };

    // The stereo format for writing `path` at `sampleRate`: the one its extension
    // names (wav, flac, ogg, aiff, au, …), else `fallbackFormat`'s (libsndfile's
    // SF_FORMAT_* major | subtype). The sample format is `subtype` when given (0:
    // none), else the fallback's when it is linear and the container takes it,
    // else the container's codec, else 24-bit, 16-bit or float PCM. A `type`
    // ("flac") stands for the extension.
    static int outputFormat(const std::string &path, int fallbackFormat, int sampleRate, int subtype = 0,
                            const std::string &type = {});
    // Every file extension that names a container, sorted; not all are writable.
    static std::vector<std::string> extensions();
    // The subtype of a --bits value, "16", "24", "32" or "float"; 0 for any other.
    static int subtypeForBits(const std::string &bits);
    // Writes a whole signal through a CWriter.
    static void write(const std::string &path, const CStereoSignal &signal, int format);
};
} // namespace Zelo::Tools
