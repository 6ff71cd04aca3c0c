// The temporary files a render is writing, kept so that SIGINT, SIGTERM or SIGHUP
// leaves none behind: the handler unlinks every recorded path and exits with
// 128 + the signal. Process-wide; any thread may record and forget.
#pragma once

#include <string>

namespace Zelo::Tools
{
class CTemporaryFiles
{
public:
    // A recorded path: forgotten when the recording is dropped.
    class CRecord
    {
    public:
        CRecord() = default;
        ~CRecord();
        CRecord(const CRecord &) = delete;
        CRecord &operator=(const CRecord &) = delete;

        // Creates a file from a mkstemp() pattern with the signals held back until
        // its path is recorded; returns the open descriptor, or -1 with errno set.
        int create(std::string &pattern);
        void forget();

    private:
        int m_slot = -1;
    };

    static void installSignalHandlers();

private:
    static void onSignal(int signal);
};
} // namespace Zelo::Tools
