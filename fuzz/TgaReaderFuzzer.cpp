// Bytes in, Targa image out: the reader must fail cleanly, stay inside the
// file's data and never allocate more than the file could fill.
#include "gui/graphics/CTGAImage.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CTGAImage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CScratchFile input("tga-fuzz", ".tga");
    if (!input.write(data, size))
    {
        return 0;
    }
    auto *image = new CTGAImage(CSystemString(input.getPath().c_str()));
    image->referenced();
    if (image->imageHasLoaded() &&
        (size < 18 + static_cast<size_t>(image->getImageSize().getWidth() * image->getImageSize().getHeight() * 4)))
        __builtin_trap();
    image->dereference();
    return 0;
}
