// Bytes in, Targa image out: the reader must fail cleanly, stay inside the
// file's data and never allocate more than the file could fill.
#include "gui/graphics/CTGAImage.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CTGAImage;

namespace
{
// One file per fuzzing process, removed after every input.
const std::string &inputPath()
{
    static const std::string path = "/tmp/zelo-tga-fuzz-" + std::to_string(getpid()) + ".tga";
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
        auto *image = new CTGAImage(CSystemString(inputPath().c_str()));
        image->referenced();
        if (image->imageHasLoaded() &&
            (size < 18 + static_cast<size_t>(image->getImageSize().getWidth() * image->getImageSize().getHeight() * 4)))
        {
            __builtin_trap();
        }
        image->dereference();
    }
    std::remove(inputPath().c_str());
    return 0;
}
