#include "gui/graphics/ImageFactory.h"

#include "foundation/host/CFileUtilities.h"
#include "gui/graphics/CJPEGImage.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CTGAImage.h"

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

namespace
{
bool hasAnyExtension(const CSystemString &path, std::initializer_list<const char *> extensions)
{
    for (const char *extension : extensions)
    {
        if (path.hasExtension(extension))
        {
            return true;
        }
    }
    return false;
}

// An empty text or the single blank of a default string.
bool isBlank(const CString &text)
{
    return text.isEmpty() || text.equals("") || text.equals(" ");
}
} // namespace

CSystemString joinImagePath(const CString &folder, const CString &fileName)
{
    if (isBlank(folder))
    {
        return CSystemString(fileName);
    }
    CSystemString path(folder);
    path.appendPath(fileName);
    return path;
}

IImage *createImage(const CSystemString &path)
{
    if (!Host::CFileUtilities::doesFileExist(path))
    {
        return nullptr;
    }
    if (hasAnyExtension(path, {"jpg", "jpeg", "JPG", "JPEG"}))
    {
        return new CJPEGImage(path);
    }
    if (hasAnyExtension(path, {"tga", "TGA"}))
    {
        return new CTGAImage(path);
    }
    if (hasAnyExtension(path, {"png", "PNG"}))
    {
        return new CPNGImage(path);
    }
    return nullptr;
}

IImage *createImage(const CString &folder, const CString &fileName)
{
    return createImage(joinImagePath(folder, fileName));
}

CPNGImage *createPNGImage(const CString &folder, const CString &fileName)
{
    return new CPNGImage(joinImagePath(folder, fileName));
}

CJPEGImage *createJPEGImage(const CString &folder, const CString &fileName)
{
    return new CJPEGImage(joinImagePath(folder, fileName));
}

CTGAImage *createTGAImage(const CString &folder, const CString &fileName)
{
    CSystemString name(fileName);
    if (!name.hasExtension("tga"))
    {
        name.appendExtension("tga", false);
    }
    return new CTGAImage(joinImagePath(folder, name));
}
} // namespace Orvalite::GUI::Graphics
