// A sound file read whole through libsndfile, with the format it was stored in, and
// the writing side: format from a file name, and writes that never leave a partial file.
#pragma once

#include "tools/zelo/CStereoSignal.h"

#include <string>

namespace Zelo::Tools
{
class CAudioFile
{
public:
    // Reads any format libsndfile reads; a mono file feeds both channels. Throws
    // std::runtime_error naming the file and the reason (missing, unreadable,
    // unsupported format, more than two channels).
    static CAudioFile read(const std::string &path);

    // The stereo format for writing `path` at `sampleRate`: the one its extension
    // names (wav, flac, ogg, aiff, au, …), else `fallbackFormat` (libsndfile's
    // SF_FORMAT_* major | subtype), with the subtype kept where the container allows it.
    static int outputFormat(const std::string &path, int fallbackFormat, int sampleRate);
    // Writes into a temporary file in the destination's folder and renames it over
    // `path` only once complete, so a failure leaves any earlier file as it was.
    static void write(const std::string &path, const CStereoSignal &signal, int format);

    CAudioFile(CStereoSignal signal, int format) : m_signal(std::move(signal)), m_format(format) {}

    const CStereoSignal &signal() const { return m_signal; }
    int format() const { return m_format; }
    int channels() const { return m_channels; }

private:
    CStereoSignal m_signal;
    int m_format = 0;
    // As stored in the file, before a mono file is spread to both channels.
    int m_channels = 2;
};
} // namespace Zelo::Tools
