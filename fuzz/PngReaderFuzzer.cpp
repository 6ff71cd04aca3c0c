// Bytes in, PNG image out through libpng: decoding must fail cleanly on any
// damage, and a header may not make the loader allocate what the file cannot fill.
#include "gui/graphics/CPNGImage.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CPNGImage;

namespace
{
// One file per fuzzing process, removed after every input.
const std::string &inputPath()
{
    static const std::string path = "/tmp/zelo-png-fuzz-" + std::to_string(getpid()) + ".png";
    return path;
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
    if (writeBytes(data, size))
    {
        auto *image = new CPNGImage(CSystemString(inputPath().c_str()));
        image->referenced();
        image->dereference();
    }
    std::remove(inputPath().c_str());
    return 0;
}
