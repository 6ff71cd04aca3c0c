// Writes a premultiplied CBitmap to a PNG file (straight RGBA, 8 bits a
// channel). Used for screenshots and golden images; stateless.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/basics/CSystemString.h"

namespace Orvalite::GUI::Graphics
{
class CBitmap;

class CPNGWriter
{
public:
    CPNGWriter() = delete;

    // Encodes the bitmap and writes it as the whole of `path`
    // (CFileUtilities::writeWholeFile), so a failure never leaves a half-written
    // file there. False with a reason in `errorOut` when anything failed.
    static bool writeToFile(const CBitmap &bitmap, const Orvalite::Basics::CSystemString &path,
                            Orvalite::Basics::CString &errorOut);

    // Straight (non-premultiplied) channel of a premultiplied one, rounded.
    static unsigned char unpremultiply(unsigned int channel, unsigned int alpha);
};
} // namespace Orvalite::GUI::Graphics
