// The skin images the build draws beside the module: sizes that fit the editor's
// layout, a round knob whose pointer sweeps clockwise from lower left to lower
// right, buttons that show their state, read-out wells the texts stay legible on
// and a plain corner for the about button.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>

namespace
{
using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface load(const std::string &name)
{
    const std::string path = std::string(ZELO_SKIN_FOLDER) + "/" + name;
    Surface surface(cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy);
    EXPECT_EQ(cairo_surface_status(surface.get()), CAIRO_STATUS_SUCCESS) << path;
    return surface;
}

struct Pixel
{
    double red, green, blue, alpha; // 0 to 255, colours not premultiplied
};

Pixel pixelAt(cairo_surface_t *surface, int x, int y)
{
    const unsigned char *row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    const uint32_t argb = reinterpret_cast<const uint32_t *>(row)[x];
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const double alpha = hasAlpha ? argb >> 24 : 255;
    const double scale = alpha > 0 ? 255.0 / alpha : 0.0;
    return {(argb >> 16 & 0xff) * scale, (argb >> 8 & 0xff) * scale, (argb & 0xff) * scale, alpha};
}

// The mean colour of a rectangle of an opaque image.
Pixel meanColour(cairo_surface_t *surface, int left, int top, int width, int height)
{
    Pixel mean{0, 0, 0, 255};
    for (int y = top; y < top + height; ++y)
    {
        for (int x = left; x < left + width; ++x)
        {
            const Pixel pixel = pixelAt(surface, x, y);
            mean.red += pixel.red / (width * height);
            mean.green += pixel.green / (width * height);
            mean.blue += pixel.blue / (width * height);
        }
    }
    return mean;
}

// WCAG 2 relative luminance of an sRGB colour (0 to 255 a channel).
double luminance(const Pixel &pixel)
{
    const auto linear = [](double channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(pixel.red) + 0.7152 * linear(pixel.green) + 0.0722 * linear(pixel.blue);
}

constexpr int KNOB_FRAMES = 129;
} // namespace

TEST(SkinImages, FitTheEditorsLayout)
{
    // Knobs sit 44 pixels before their read-outs and the right column's at x 358 must end by 400;
    // the about button owns the 33 x 33 corner.
    const struct
    {
        const char *name;
        int minWidth, maxWidth, minHeight, maxHeight;
    } cases[] = {
        {"background.png", 400, 400, 466, 466}, {"knob.png", 30, 42, 30 * KNOB_FRAMES, 42 * KNOB_FRAMES},
        {"buttonUp.png", 30, 44, 14, 36},       {"buttonDown.png", 30, 44, 14, 36},
        {"splash_Button.png", 16, 33, 16, 33},  {"splash.png", 240, 400, 150, 300},
    };
    for (const auto &expected : cases)
    {
        const Surface image = load(expected.name);
        const int width = cairo_image_surface_get_width(image.get());
        const int height = cairo_image_surface_get_height(image.get());
        EXPECT_TRUE(width >= expected.minWidth && width <= expected.maxWidth) << expected.name << " " << width;
        EXPECT_TRUE(height >= expected.minHeight && height <= expected.maxHeight) << expected.name << " " << height;
    }
    const Surface knob = load("knob.png");
    EXPECT_EQ(cairo_image_surface_get_height(knob.get()) % KNOB_FRAMES, 0);
    EXPECT_EQ(cairo_image_surface_get_height(knob.get()) / KNOB_FRAMES, cairo_image_surface_get_width(knob.get()));
    const Surface up = load("buttonUp.png");
    const Surface down = load("buttonDown.png");
    EXPECT_EQ(cairo_image_surface_get_width(up.get()), cairo_image_surface_get_width(down.get()));
    EXPECT_EQ(cairo_image_surface_get_height(up.get()), cairo_image_surface_get_height(down.get()));
}

TEST(SkinImages, ControlsAreOpaqueInsideAndTransparentAtTheirCorners)
{
    for (const char *name : {"knob.png", "buttonUp.png", "buttonDown.png", "splash_Button.png"})
    {
        const Surface image = load(name);
        const int width = cairo_image_surface_get_width(image.get());
        const int height = cairo_image_surface_get_height(image.get());
        const int frameHeight = std::string(name) == "knob.png" ? width : height;
        for (int top = 0; top < height; top += frameHeight)
        {
            const int bottom = top + frameHeight - 1;
            for (const auto &[x, y] : {std::pair{0, top}, {width - 1, top}, {0, bottom}, {width - 1, bottom}})
            {
                EXPECT_EQ(pixelAt(image.get(), x, y).alpha, 0) << name << " at " << x << ", " << y;
            }
            EXPECT_EQ(pixelAt(image.get(), width / 2, top + frameHeight / 2).alpha, 255) << name << " frame at " << top;
        }
    }
}

TEST(SkinImages, KnobPointerTurnsClockwiseFromLowerLeftToLowerRight)
{
    const Surface knob = load("knob.png");
    const int size = cairo_image_surface_get_width(knob.get());
    double previous = -180.0;
    for (int frame = 0; frame < KNOB_FRAMES; ++frame)
    {
        // The pointer is the knob's one near-white mark: the centroid of its pixels gives its angle.
        double sumX = 0, sumY = 0, count = 0;
        for (int y = 0; y < size; ++y)
        {
            for (int x = 0; x < size; ++x)
            {
                const Pixel pixel = pixelAt(knob.get(), x, frame * size + y);
                if (pixel.alpha == 255 && std::min({pixel.red, pixel.green, pixel.blue}) > 200)
                {
                    sumX += x + 0.5 - size / 2.0;
                    sumY += y + 0.5 - size / 2.0;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 6) << "frame " << frame;
        const double angle = std::atan2(sumX / count, -sumY / count) * 180.0 / M_PI;
        const double expected = -135.0 + 270.0 * frame / (KNOB_FRAMES - 1);
        EXPECT_NEAR(angle, expected, 4.0) << "frame " << frame;
        EXPECT_GT(angle, previous) << "frame " << frame;
        previous = angle;
    }
}

TEST(SkinImages, LitButtonIsBrighterThanUnlit)
{
    const auto meanLuminance = [](const char *name) {
        const Surface image = load(name);
        const int width = cairo_image_surface_get_width(image.get());
        const int height = cairo_image_surface_get_height(image.get());
        double sum = 0;
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                sum += luminance(pixelAt(image.get(), x, y));
            }
        }
        return sum / (width * height);
    };
    EXPECT_GT(meanLuminance("buttonUp.png"), 1.5 * meanLuminance("buttonDown.png"));
}

TEST(SkinImages, ReadoutTextsStandOutFromTheBackgroundUnderThem)
{
    const Pixel voiceOne{186, 224, 154, 255};
    const Pixel master{255, 120, 120, 255};
    const Pixel voiceTwo{138, 211, 238, 255};
    // The editor's 96 x 20 read-out fields and their text colours.
    const struct
    {
        int left, top;
        Pixel text;
    } fields[] = {
        {46, 93, voiceOne},   {47, 151, voiceOne},  {46, 205, voiceOne},  {46, 263, voiceOne},  {46, 316, voiceOne},
        {46, 373, voiceOne},  {48, 429, voiceOne},  {286, 93, voiceTwo},  {289, 151, voiceTwo}, {286, 205, voiceTwo},
        {286, 263, voiceTwo}, {286, 316, voiceTwo}, {286, 373, voiceTwo}, {289, 429, voiceTwo}, {191, 151, master},
        {191, 262, master},   {191, 316, master},   {191, 372, master},   {191, 428, master},
    };
    const Surface background = load("background.png");
    for (const auto &field : fields)
    {
        const Pixel mean = meanColour(background.get(), field.left, field.top, 96, 20);
        const double contrast = (luminance(field.text) + 0.05) / (luminance(mean) + 0.05);
        EXPECT_GE(contrast, 4.5) << "read-out at " << field.left << ", " << field.top;
    }
}

TEST(SkinImages, BackgroundLeavesTheAboutButtonsCornerPlain)
{
    // The about button's 33 x 33 square at (367, 0): only plate shading there, no text or
    // marks, which stand out from it by far more than a bevel line does.
    const Surface background = load("background.png");
    const Pixel mean = meanColour(background.get(), 367, 0, 33, 33);
    for (int y = 0; y < 33; ++y)
    {
        for (int x = 367; x < 400; ++x)
        {
            const Pixel pixel = pixelAt(background.get(), x, y);
            const double difference = std::max(
                {std::abs(pixel.red - mean.red), std::abs(pixel.green - mean.green), std::abs(pixel.blue - mean.blue)});
            EXPECT_LT(difference, 40) << "at " << x << ", " << y;
        }
    }
}

// The editor's larger sizes: every image drawn again from the same design, 1.5
// and 2 times as large, so the whole of it (not a corner) has the same colours.
TEST(SkinImages, EachImageIsDrawnAgainAtOneAndAHalfAndTwiceItsSize)
{
    for (const char *name : {"background", "knob", "buttonUp", "buttonDown", "splash_Button", "splash"})
    {
        const Surface design = load(std::string(name) + ".png");
        const int width = cairo_image_surface_get_width(design.get());
        const int height = cairo_image_surface_get_height(design.get());
        const Pixel designMean = meanColour(design.get(), 0, 0, width, height);
        for (const auto &[suffix, factor] : {std::pair<const char *, double>{"@150", 1.5}, {"@200", 2.0}})
        {
            const std::string file = std::string(name) + suffix + ".png";
            const Surface scaled = load(file);
            const int scaledWidth = cairo_image_surface_get_width(scaled.get());
            const int scaledHeight = cairo_image_surface_get_height(scaled.get());
            EXPECT_EQ(scaledWidth, std::lround(width * factor)) << file;
            EXPECT_EQ(scaledHeight, std::lround(height * factor)) << file;
            const Pixel mean = meanColour(scaled.get(), 0, 0, scaledWidth, scaledHeight);
            EXPECT_NEAR(mean.red, designMean.red, 6.0) << file;
            EXPECT_NEAR(mean.green, designMean.green, 6.0) << file;
            EXPECT_NEAR(mean.blue, designMean.blue, 6.0) << file;
        }
    }
}
