// Free functions that make the right image type for a file and ask it to load.
// Each returns a new, unreferenced image (the caller references it) or null.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::GUI::Graphics
{
class CJPEGImage;
class CPNGImage;
class CTGAImage;

// `folder` and `fileName` joined with one separator; an empty folder gives the name alone.
Orvalite::Basics::CSystemString joinImagePath(const Orvalite::Basics::CString &folder,
                                              const Orvalite::Basics::CString &fileName);

// Null when the file cannot be opened for reading or its extension is none of
// jpg, jpeg, JPG, JPEG, tga, TGA, png, PNG. The image is returned whether or
// not it loaded: callers check imageHasLoaded().
IImage *createImage(const Orvalite::Basics::CSystemString &path);
IImage *createImage(const Orvalite::Basics::CString &folder, const Orvalite::Basics::CString &fileName);

CPNGImage *createPNGImage(const Orvalite::Basics::CString &folder, const Orvalite::Basics::CString &fileName);
CJPEGImage *createJPEGImage(const Orvalite::Basics::CString &folder, const Orvalite::Basics::CString &fileName);
// Adds the extension "tga" to the name when it does not end with it.
CTGAImage *createTGAImage(const Orvalite::Basics::CString &folder, const Orvalite::Basics::CString &fileName);
} // namespace Orvalite::GUI::Graphics
