// zelo_lv2_turtle FOLDER: writes manifest.ttl, Zelo.ttl and presets.ttl into FOLDER.
#include "plugin/lv2/CZeloTurtle.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
bool writeFile(const std::string &path, void (*write)(std::ostream &))
{
    std::ofstream out(path);
    write(out);
    out.close();
    if (!out)
    {
        std::fprintf(stderr, "zelo_lv2_turtle: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "Usage: zelo_lv2_turtle FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    using Zelo::Lv2::CZeloTurtle;
    const bool written = writeFile(folder + "/manifest.ttl", &CZeloTurtle::writeManifest) &&
                         writeFile(folder + "/Zelo.ttl", &CZeloTurtle::writePlugin) &&
                         writeFile(folder + "/presets.ttl", &CZeloTurtle::writePresets);
    return written ? 0 : 1;
}
