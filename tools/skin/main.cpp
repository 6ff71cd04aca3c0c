// zelo_skin OUTPUT_FOLDER: draws the editor's six skin images into the folder.
#include "tools/skin/CSkinPainter.h"

#include <cairo.h>

#include <functional>
#include <iostream>

// fontconfig keeps its configuration for the life of the process; LeakSanitizer
// (asan builds, which run this program while building) is told so.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main(int argc, char **argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: zelo_skin OUTPUT_FOLDER\n";
        return 2;
    }
    using Zelo::Tools::CSkinCanvas;
    using Zelo::Tools::CSkinPainter;
    const CSkinPainter painter;
    const struct
    {
        const char *fileName;
        std::function<std::unique_ptr<CSkinCanvas>()> paint;
    } images[] = {
        {"background.png", [&] { return painter.background(); }},
        {"knob.png", [&] { return painter.knob(); }},
        {"buttonUp.png", [&] { return painter.button(true); }},
        {"buttonDown.png", [&] { return painter.button(false); }},
        {"splash_Button.png", [&] { return painter.aboutButton(); }},
        {"splash.png", [&] { return painter.splash(); }},
    };
    const std::string folder = argv[1];
    int status = 0;
    for (const auto &image : images)
    {
        std::string error;
        if (!image.paint()->writePng(folder + "/" + image.fileName, error))
        {
            std::cerr << "zelo_skin: cannot write " << folder << "/" << image.fileName << ": " << error << "\n";
            status = 1;
        }
    }
    cairo_debug_reset_static_data();
    return status;
}
