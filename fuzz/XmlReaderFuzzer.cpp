// Bytes in, XML document out: the reader must end, stay inside its memory and
// free everything for any file. A document that was read is written and read
// once more, so the writer sees every tree the reader can make.
#include "foundation/io/CXMLDocument.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

using Orvalite::Basics::CSystemString;
using Orvalite::IO::CXMLDocument;

namespace
{
// One pair of files per fuzzing process, removed after every input: libFuzzer
// may end the process without running exit handlers.
const std::string &inputPath()
{
    static const std::string path = "/tmp/zelo-xml-fuzz-" + std::to_string(getpid()) + "-in.xml";
    return path;
}

const std::string &outputPath()
{
    static const std::string path = "/tmp/zelo-xml-fuzz-" + std::to_string(getpid()) + "-out.xml";
    return path;
}

void removeFiles()
{
    std::remove(inputPath().c_str());
    std::remove(outputPath().c_str());
}

bool writeBytes(const uint8_t *data, size_t size)
{
    FILE *file = std::fopen(inputPath().c_str(), "wb");
    if (!file)
    {
        return false;
    }
    const bool complete = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && complete;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!writeBytes(data, size))
    {
        removeFiles();
        return 0;
    }
    CXMLDocument document;
    if (document.readFile(CSystemString(inputPath().c_str())) && document.getRootNode())
    {
        // Names the reader accepts need not survive writing ("!x", the empty
        // name), so the second read is exercised, not compared.
        const CSystemString output(outputPath().c_str());
        document.writeFile(output);
        CXMLDocument copy;
        copy.readFile(output);
    }
    removeFiles();
    return 0;
}
