// Drawing speed of the toolkit: one whole editor frame (background, sixteen
// film-strip knobs and nineteen text labels on a 400 × 466 back buffer) in
// frames per second, and the per-pixel alpha blend in pixels per second against
// a plain copy of the same pixels run in the same process.
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CRect.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/fonts/CFont.h"
#include "gui/graphics/CFilmStrip.h"
#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

using Orvalite::Basics::CString;
using Orvalite::GUI::Basics::CAlphaColour;
using Orvalite::GUI::Fonts::CFont;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CFilmStrip;
using Orvalite::GUI::Graphics::CGraphics;
using Orvalite::GUI::Graphics::CRGBAImage;
using Orvalite::MathTools::CDimension;
using Orvalite::MathTools::CPoint;
using Orvalite::MathTools::CRect;

namespace
{
constexpr long EDITOR_WIDTH = 400;
constexpr long EDITOR_HEIGHT = 466;
constexpr long KNOB_SIZE = 48;
constexpr long KNOB_FRAMES = 129;
constexpr long KNOBS = 16;
constexpr long LABELS = 19;
constexpr unsigned long WINDOW = 1;

// An editor-sized background with a gradient and a few panels, drawn once.
CRGBAImage *makeBackground()
{
    auto *image = new CRGBAImage();
    image->referenced();
    image->initialise(EDITOR_WIDTH, EDITOR_HEIGHT);
    CGraphics &graphics = *image->getGraphics();
    graphics.getPen()->setColour(CAlphaColour::DARK_GREY);
    graphics.drawGradientRectangle(CRect(0, 0, EDITOR_WIDTH, EDITOR_HEIGHT));
    graphics.getBrush()->setColour(CAlphaColour::LIGHT_GREY);
    for (long panel = 0; panel < 4; ++panel)
    {
        graphics.drawRaisedRectangle(CRect(10, 10 + panel * 110, EDITOR_WIDTH - 20, 100));
    }
    image->uninitialise();
    return image;
}

// A knob film strip: a filled dial with a pointer line that turns from frame to frame.
CRGBAImage *makeKnobStrip()
{
    auto *image = new CRGBAImage();
    image->referenced();
    image->initialise(KNOB_SIZE, KNOB_SIZE * KNOB_FRAMES);
    CGraphics &graphics = *image->getGraphics();
    graphics.getBrush()->setColour(CAlphaColour::TURQUOISE);
    graphics.getPen()->setWidthAndColour(3, CAlphaColour::BLACK);
    for (long frame = 0; frame < KNOB_FRAMES; ++frame)
    {
        const long top = frame * KNOB_SIZE;
        graphics.fillEllipse(CRect(2, top + 2, KNOB_SIZE - 4, KNOB_SIZE - 4));
        const long tipX = 4 + (KNOB_SIZE - 8) * frame / (KNOB_FRAMES - 1);
        graphics.drawAntiAliasedLine(CPoint(KNOB_SIZE / 2, top + KNOB_SIZE / 2), CPoint(tipX, top + 6));
    }
    image->uninitialise();
    return image;
}

class CEditorScene
{
public:
    CEditorScene() : m_background(makeBackground()), m_knobImage(makeKnobStrip())
    {
        for (long knob = 0; knob < KNOBS; ++knob)
        {
            m_knobs.emplace_back(new CFilmStrip());
            m_knobs.back()->setStrip(m_knobImage, KNOB_SIZE, KNOB_FRAMES, false);
            m_knobs.back()->setValue(static_cast<double>(knob) / (KNOBS - 1));
        }
    }
    ~CEditorScene()
    {
        m_knobs.clear();
        m_knobImage->dereference();
        m_background->dereference();
    }

    // One paint: initialise, the whole panel, uninitialise.
    void paint(CGraphics &graphics)
    {
        graphics.initialise(WINDOW, nullptr, CDimension(EDITOR_WIDTH, EDITOR_HEIGHT));
        const CRect whole(0, 0, EDITOR_WIDTH, EDITOR_HEIGHT);
        graphics.drawImage(m_background, whole, whole);
        for (long knob = 0; knob < KNOBS; ++knob)
        {
            m_knobs[knob]->draw(graphics, CRect(20 + (knob % 4) * 95, 30 + (knob / 4) * 110, KNOB_SIZE, KNOB_SIZE));
        }
        graphics.setTextColour(CAlphaColour::ORANGE);
        for (long label = 0; label < LABELS; ++label)
        {
            graphics.drawText(m_labelText, CRect(10 + (label % 4) * 95, 84 + (label / 4) * 90, 90, 16), nullptr, 4);
        }
        graphics.uninitialise();
    }

private:
    CRGBAImage *m_background;
    CRGBAImage *m_knobImage;
    std::vector<std::unique_ptr<CFilmStrip>> m_knobs;
    CString m_labelText{" 35.0 ms"};
};

void fullEditorFrame(benchmark::State &state)
{
    CFont::createDefaultFont();
    {
        CEditorScene scene;
        CGraphics graphics(state.range(0) != 0);
        for (auto _ : state)
        {
            scene.paint(graphics);
            benchmark::ClobberMemory();
        }
        state.counters["frames/s"] =
            benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    }
    CFont::releaseDefaultFont();
}
BENCHMARK(fullEditorFrame)->ArgName("antiAliased")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// An editor-sized half-transparent image blended at constant alpha 0.5.
void alphaBlend(benchmark::State &state)
{
    CRGBAImage *overlay = makeBackground();
    CGraphics graphics(true);
    graphics.initialise(WINDOW, nullptr, CDimension(EDITOR_WIDTH, EDITOR_HEIGHT));
    const CRect whole(0, 0, EDITOR_WIDTH, EDITOR_HEIGHT);
    for (auto _ : state)
    {
        graphics.drawAlphaImage(overlay, whole, whole, 0.5);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * EDITOR_WIDTH * EDITOR_HEIGHT);
    graphics.uninitialise();
    overlay->dereference();
}
BENCHMARK(alphaBlend)->Unit(benchmark::kMicrosecond);

// The baseline: copying the same number of pixels with memcpy.
void plainCopy(benchmark::State &state)
{
    CBitmap source;
    CBitmap destination;
    source.create(EDITOR_WIDTH, EDITOR_HEIGHT);
    destination.create(EDITOR_WIDTH, EDITOR_HEIGHT);
    for (auto _ : state)
    {
        std::memcpy(destination.getPixels(), source.getPixels(), EDITOR_WIDTH * EDITOR_HEIGHT * 4);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * EDITOR_WIDTH * EDITOR_HEIGHT);
}
BENCHMARK(plainCopy)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
