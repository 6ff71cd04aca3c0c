// zelo_skin OUTPUT_FOLDER: draws the editor's six skin images into the folder at
// each of the editor's sizes: "background.png" at 100 %, "background@150.png"
// and "background@200.png" at 150 % and 200 %, and so on.
// zelo_skin --scroll-bar OUTPUT_FOLDER: draws the four images a scroll bar looks
// for by default ("ScrollBarTopCap.tga" and so on) into the folder instead; the
// editor has no scroll bar, so they stay out of its skin (the gallery wears them).
#include "tools/skin/CScrollBarPainter.h"
#include "tools/skin/CSkinPainter.h"

#include <cairo.h>

#include <cstring>
#include <functional>
#include <iostream>

// fontconfig keeps its configuration for the life of the process; LeakSanitizer
// (asan builds, which run this program while building) is told so.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace
{
using Zelo::Tools::CScrollBarPainter;
using Zelo::Tools::CSkinCanvas;
using Zelo::Tools::CSkinPainter;

bool report(bool written, const std::string &path, const std::string &error)
{
    if (!written)
    {
        std::cerr << "zelo_skin: cannot write " << path << ": " << error << "\n";
    }
    return written;
}

int writeSkin(const std::string &folder)
{
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
    int status = 0;
    for (const auto &size : sizes)
    {
        const CSkinPainter painter(size.scale);
        for (const auto &image : images)
        {
            const std::string path = folder + "/" + image.name + size.suffix + ".png";
            std::string error;
            if (!report(image.paint(painter)->writePng(path, error), path, error))
            {
                status = 1;
            }
        }
    }
    return status;
}

int writeScrollBar(const std::string &folder)
{
    const CScrollBarPainter painter;
    const struct
    {
        const char *name;
        std::unique_ptr<CSkinCanvas> canvas;
    } images[] = {
        {"ScrollBarTopCap.tga", painter.topCap()},
        {"ScrollBarEndCap.tga", painter.endCap()},
        {"ScrollBarThumb.tga", painter.grip()},
        {"ScrollBarRepeat.tga", painter.repeat()},
    };
    int status = 0;
    for (const auto &image : images)
    {
        const std::string path = folder + "/" + image.name;
        std::string error;
        if (!report(image.canvas->writeTarga(path, error), path, error))
        {
            status = 1;
        }
    }
    return status;
}
} // namespace

int main(int argc, char **argv)
{
    const bool scrollBar = argc == 3 && std::strcmp(argv[1], "--scroll-bar") == 0;
    if (argc != 2 && !scrollBar)
    {
        std::cerr << "usage: zelo_skin OUTPUT_FOLDER\n       zelo_skin --scroll-bar OUTPUT_FOLDER\n";
        return 2;
    }
    const int status = scrollBar ? writeScrollBar(argv[2]) : writeSkin(argv[1]);
    cairo_debug_reset_static_data();
    return status;
}
