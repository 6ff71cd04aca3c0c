// Feeds arbitrary bytes to CTextStream's line reading as a file and checks
// that a loop reading until the end of the stream always gets there, never
// delivers a line feed or more than one line's worth of bytes per read, and
// never delivers more bytes than the file holds.
#include "foundation/io/CTextStream.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::IO::CTextStream;

namespace
{
// One in-memory file for the whole run, reopened through /proc for every input.
int inputFile()
{
    static const int descriptor = memfd_create("text_stream_fuzzer", 0);
    if (descriptor < 0)
    {
        std::perror("memfd_create");
        std::abort();
    }
    return descriptor;
}

void check(bool condition, const char *what)
{
    if (!condition)
    {
        std::fprintf(stderr, "text stream fault: %s\n", what);
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int descriptor = inputFile();
    check(ftruncate(descriptor, 0) == 0, "cannot empty the input file");
    check(size == 0 || pwrite(descriptor, data, size, 0) == static_cast<ssize_t>(size), "cannot write the input");
    const std::string path = "/proc/self/fd/" + std::to_string(descriptor);

    CTextStream stream(CSystemString(path.c_str()), CTextStream::MODE_READ);
    check(stream.isOpen(), "the input does not open");
    // The first byte picks the caller buffer size of readLine reads.
    const long bufferSize = size > 0 ? data[0] % 40 : 1;
    size_t reads = 0;
    size_t delivered = 0;
    while (!stream.isEndOfStream())
    {
        // Every read consumes at least one byte, so a file of n bytes ends after at most n reads.
        check(++reads <= size, "the loop does not reach the end of the stream");
        switch (reads % 6)
        {
        case 0: {
            CString line;
            stream >> line;
            const size_t length = std::strlen(line.getString());
            check(length <= static_cast<size_t>(CTextStream::MAXIMUM_LINE_LENGTH), "a line is too long");
            check(std::strchr(line.getString(), '\n') == nullptr, "a line holds a line feed");
            delivered += length;
            break;
        }
        case 1: {
            int value = 0;
            stream >> value;
            break;
        }
        case 2: {
            double value = 0;
            stream >> value;
            break;
        }
        case 3: {
            bool value = false;
            stream >> value;
            break;
        }
        case 4: {
            float value = 0;
            stream >> value;
            break;
        }
        default: {
            char buffer[40];
            std::memset(buffer, 'x', sizeof(buffer));
            stream.readLine(buffer, bufferSize);
            if (bufferSize > 0)
            {
                check(std::memchr(buffer, '\0', static_cast<size_t>(bufferSize)) != nullptr,
                      "readLine left its buffer unterminated");
            }
            check(bufferSize >= static_cast<long>(sizeof(buffer)) || buffer[bufferSize] == 'x',
                  "readLine wrote past its buffer");
            break;
        }
        }
    }
    check(delivered <= size, "more bytes delivered than the file holds");
    return 0;
}
