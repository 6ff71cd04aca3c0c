// Decoding PNG and JPEG files and encoding PNG data: one implementation per
// platform (libpng and libjpeg-turbo on Linux, GDI+ on Windows). Every
// decoder refuses files that are cut short, are not of their format or whose
// header promises a size the file cannot hold, before allocating for it.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/basics/CSystemString.h"
#include "gui/graphics/CBitmap.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
// Straight (not premultiplied) 0xAARRGGBB pixels of a PNG file, 8 bits a
// channel. False, with an empty bitmap, when the file cannot be decoded.
bool decodePNGFile(const Orvalite::Basics::CSystemString &path, CBitmap &bitmap);
// Opaque pixels of a JPEG file. False, with an empty bitmap, when the file cannot be decoded.
bool decodeJPEGFile(const Orvalite::Basics::CSystemString &path, CBitmap &bitmap);
// PNG bytes (8-bit RGBA) of a bitmap holding straight pixels. False with a
// reason in `errorOut` when encoding failed.
bool encodePNG(const CBitmap &straight, std::vector<unsigned char> &output, Orvalite::Basics::CString &errorOut);
} // namespace Orvalite::GUI::Graphics
