// Bytes in, PNG image out through libpng: decoding must fail cleanly on any
// damage, and a header may not make the loader allocate what the file cannot fill.
#include "gui/graphics/CPNGImage.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CPNGImage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CScratchFile input("png-fuzz", ".png");
    if (!input.write(data, size))
    {
        return 0;
    }
    auto *image = new CPNGImage(CSystemString(input.getPath().c_str()));
    image->referenced();
    image->dereference();
    return 0;
}
