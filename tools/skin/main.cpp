// zelo_skin OUTPUT_FOLDER: draws the editor's six skin images into the folder at
// each of the editor's sizes: "background.png" at 100 %, "background@150.png"
// and "background@200.png" at 150 % and 200 %, and so on.
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
    const struct
    {
        double scale;
        const char *suffix;
    } sizes[] = {{1.0, ""}, {1.5, "@150"}, {2.0, "@200"}};
    const struct
    {
        const char *name;
        std::function<std::unique_ptr<CSkinCanvas>(const CSkinPainter &)> paint;
    } images[] = {
        {"background", [](const CSkinPainter &painter) { return painter.background(); }},
        {"knob", [](const CSkinPainter &painter) { return painter.knob(); }},
        {"buttonUp", [](const CSkinPainter &painter) { return painter.button(true); }},
        {"buttonDown", [](const CSkinPainter &painter) { return painter.button(false); }},
        {"splash_Button", [](const CSkinPainter &painter) { return painter.aboutButton(); }},
        {"splash", [](const CSkinPainter &painter) { return painter.splash(); }},
    };
    const std::string folder = argv[1];
    int status = 0;
    for (const auto &size : sizes)
    {
        const CSkinPainter painter(size.scale);
        for (const auto &image : images)
        {
            const std::string path = folder + "/" + image.name + size.suffix + ".png";
            std::string error;
            if (!image.paint(painter)->writePng(path, error))
            {
                std::cerr << "zelo_skin: cannot write " << path << ": " << error << "\n";
                status = 1;
            }
        }
    }
    cairo_debug_reset_static_data();
    return status;
}
