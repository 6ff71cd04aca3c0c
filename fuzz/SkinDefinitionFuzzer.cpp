// Bytes in, skin definition out: the image manager reads the text form (or
// the XML form), writes what it registered as XML and reads that back. Images
// resolve against a private folder holding two small Targa files, so the
// fuzzer never loads the machine's real (possibly huge) images by name.
#include "gui/graphics/CImageManager.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <sys/stat.h>
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

bool writeFile(const std::string &path, const void *data, size_t size)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
    {
        return false;
    }
    const bool complete = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && complete;
}

// A Targa file of width × height transparent pixels.
void writeTarga(const std::string &name, unsigned char width, unsigned char height)
{
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(width);
    bytes[14] = static_cast<char>(height);
    bytes[16] = 32;
    bytes[17] = 8;
    bytes.append(static_cast<size_t>(width) * height * 4, '\0');
    writeFile(folder() + "/" + name, bytes.data(), bytes.size());
}

// Removes the folder when the fuzzer exits, so runs leave nothing in /tmp.
void removeFolder()
{
    std::remove((folder() + "/a.tga").c_str());
    std::remove((folder() + "/knob.tga").c_str());
    rmdir(folder().c_str());
}

// The folder with its two images, made once per process.
void prepareFolder()
{
    static const bool prepared = [] {
        mkdir(folder().c_str(), 0700);
        writeTarga("a.tga", 2, 2);
        writeTarga("knob.tga", 4, 40);
        std::atexit(removeFolder);
        return true;
    }();
    (void)prepared;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    prepareFolder();
    const std::string skin = folder() + "/skin.txt";
    const std::string xml = folder() + "/skin.xml";
    if (writeFile(skin, data, size))
    {
        CImageManager::initialise();
        CImageManager::setRootPath(CSystemString(folder().c_str()));
        CImageManager::loadFromDefinitionFile(CSystemString(skin.c_str()));
        CImageManager::writeToXMLFile(CSystemString(xml.c_str()));
        CImageManager::clear();
        CImageManager::loadFromDefinitionFile(CSystemString(xml.c_str()));
        CImageManager::destroy();
    }
    std::remove(skin.c_str());
    std::remove(xml.c_str());
    return 0;
}
