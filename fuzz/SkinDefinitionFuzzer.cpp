// Bytes in, skin definition out: the image manager reads the text form (or
// the XML form), writes what it registered as XML and reads that back. Images
// resolve against a private folder holding two small Targa files, so the
// fuzzer never loads the machine's real (possibly huge) images by name.
#include "gui/graphics/CImageManager.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CImageManager;

namespace
{
const std::string &folder()
{
    static const std::string path = "/tmp/zelo-skin-fuzz-" + std::to_string(getpid());
    return path;
}

// A Targa file of width × height transparent pixels.
void writeTarga(const char *name, unsigned char width, unsigned char height)
{
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(width);
    bytes[14] = static_cast<char>(height);
    bytes[16] = 32;
    bytes[17] = 8;
    bytes.append(static_cast<size_t>(width) * height * 4, '\0');
    std::ofstream(folder() + "/" + name, std::ios::binary) << bytes;
}

// The folder with its two images, made once per process and removed when the fuzzer exits.
void prepareFolder()
{
    static const bool prepared = [] {
        std::filesystem::create_directory(folder());
        writeTarga("a.tga", 2, 2);
        writeTarga("knob.tga", 4, 40);
        std::atexit([] { std::filesystem::remove_all(folder()); });
        return true;
    }();
    (void)prepared;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    prepareFolder();
    const CScratchFile skin(folder(), "skin.txt"), xml(folder(), "skin.xml");
    if (skin.write(data, size))
    {
        CImageManager::initialise();
        CImageManager::setRootPath(CSystemString(folder().c_str()));
        CImageManager::loadFromDefinitionFile(CSystemString(skin.getPath().c_str()));
        CImageManager::writeToXMLFile(CSystemString(xml.getPath().c_str()));
        CImageManager::clear();
        CImageManager::loadFromDefinitionFile(CSystemString(xml.getPath().c_str()));
        CImageManager::destroy();
    }
    return 0;
}
