#include "tools/zelo/CRenderer.h"

#include "tools/zelo/CPresetExchange.h"
#include "tools/zelo/CTailGate.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// The plug-in's A/B switch: a parameter index past the automatable ones, 0 for A and 1 for B.
constexpr VstInt32 HALF_PARAMETER = 26;
// Frames read, processed and written at a time, rounded down to whole blocks: the
// buffers of a chunk stay in the processor's caches.
constexpr size_t CHUNK_TARGET_FRAMES = 16384;
// Zelo works at this rate at the least: below it, its times and LFO rates stretch.
constexpr int LOWEST_WORKING_RATE = 44100;
// The quiet that ends a tail when the plug-in does not report its tail's length:
// Zelo's longest delay (Delay One/Two up to 100 ms, 120 ms with the LFO's sweep)
// plus its large grain (50 ms), with room to spare.
constexpr double DEFAULT_QUIET_SECONDS = 0.25;

bool equalIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Frames of quiet in a row that end the tail: the plug-in's own tail length when it
// reports one (effGetTailSize answers 0 for unknown, 1 for none), else
// DEFAULT_QUIET_SECONDS at the rate the plug-in works at (below 44.1 kHz Zelo's
// delays keep their length in frames).
size_t quietWindow(CPluginInstance &instance, int sampleRate)
{
    const VstIntPtr reported = instance.dispatch(effGetTailSize);
    if (reported > 1)
    {
        return static_cast<size_t>(reported);
    }
    return static_cast<size_t>(std::ceil(DEFAULT_QUIET_SECONDS * std::max(sampleRate, LOWEST_WORKING_RATE)));
}

VstInt32 findProgram(CPluginInstance &instance, const std::string &wanted)
{
    const VstInt32 count = instance.effect()->numPrograms;
    const bool isNumber = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [](unsigned char character) {
        return std::isdigit(character) != 0;
    });
    if (isNumber)
    {
        const long number = wanted.size() > 9 ? count : std::stol(wanted);
        if (number >= count)
        {
            throw CRenderer::CSetupError("unknown program " + wanted + " (programs are 0 to " +
                                         std::to_string(count - 1) + ")");
        }
        return static_cast<VstInt32>(number);
    }
    for (VstInt32 program = 0; program < count; ++program)
    {
        if (equalIgnoringCase(instance.programNameIndexed(program), wanted))
        {
            return program;
        }
    }
    throw CRenderer::CSetupError("unknown program \"" + wanted + "\" (zelo info lists them)");
}
} // namespace

CRenderer::CRenderer(std::shared_ptr<const CPluginModule> module, Setup setup)
    : m_module(std::move(module)), m_setup(std::move(setup))
{
    if (m_setup.blockSize < 1)
    {
        throw std::invalid_argument("block size must be at least 1 frame");
    }
}

std::string CRenderer::check(int sampleRate) const
{
    std::string warnings;
    createInstance(sampleRate, &warnings);
    return warnings;
}

std::unique_ptr<CPluginInstance> CRenderer::createInstance(int sampleRate, std::string *warnings) const
{
    std::string presetWarnings;
    CHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = m_setup.blockSize;
    auto instance = std::make_unique<CPluginInstance>(m_module, settings);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(m_setup.blockSize);
    const bool isBank = m_setup.preset && m_setup.preset->kind == CPresetFile::Kind::bank;
    if (isBank)
    {
        presetWarnings = CPresetExchange::load(*instance, *m_setup.preset, m_setup.presetPath);
    }
    if (m_setup.program)
    {
        instance->setProgram(findProgram(*instance, *m_setup.program));
    }
    if (m_setup.preset && !isBank)
    {
        presetWarnings = CPresetExchange::load(*instance, *m_setup.preset, m_setup.presetPath);
    }
    if (m_setup.half)
    {
        instance->setParameter(HALF_PARAMETER, *m_setup.half == 'B' ? 1.0f : 0.0f);
    }
    for (const CParameterAssignment &assignment : m_setup.assignments)
    {
        try
        {
            const CParameterAssignment::Resolved resolved = assignment.resolve(*instance);
            instance->setParameter(resolved.index, resolved.value);
        }
        catch (const std::runtime_error &error)
        {
            throw CSetupError(error.what());
        }
    }
    if (warnings)
    {
        *warnings = presetWarnings;
    }
    return instance;
}

void CRenderer::render(int sampleRate, size_t inputFrames, const Source &source, const Sink &sink,
                       const Progress &progress) const
{
    const std::unique_ptr<CPluginInstance> instance = createInstance(sampleRate);
    instance->resume();
    // Read after resuming: a plug-in may settle its latency and tail only then.
    const size_t latency = static_cast<size_t>(std::max<VstInt32>(instance->effect()->initialDelay, 0));
    CTailGate gate(sink, quietWindow(*instance, sampleRate),
                   static_cast<size_t>(std::round(m_setup.maxTailSeconds * sampleRate)));

    // Whole blocks per chunk, so the blocks fall where they would over the whole input.
    const size_t block = static_cast<size_t>(m_setup.blockSize);
    const size_t chunk = std::max<size_t>(1, CHUNK_TARGET_FRAMES / block) * block;
    // Every pin gets a buffer, so a plug-in with more than two never writes past ours;
    // only the first two carry audio.
    const size_t inputPins = static_cast<size_t>(std::max<VstInt32>(instance->effect()->numInputs, 2));
    const size_t outputPins = static_cast<size_t>(std::max<VstInt32>(instance->effect()->numOutputs, 2));
    std::vector<std::vector<float>> inputBuffers(inputPins, std::vector<float>(chunk));
    std::vector<std::vector<float>> outputBuffers(outputPins, std::vector<float>(chunk));
    std::vector<float *> inputPointers(inputPins);
    std::vector<float *> outputPointers(outputPins);

    // The input's own output is complete once the latency is past it; the tail renders at the total.
    const size_t total = inputFrames + latency;
    size_t done = 0;
    size_t outputToDrop = latency;
    bool isInputOver = false;
    while (!gate.isDone())
    {
        const size_t count = isInputOver ? 0 : source(inputBuffers[0].data(), inputBuffers[1].data(), chunk);
        if (count < chunk)
        {
            // Past the input's end the plug-in gets silence.
            std::fill(inputBuffers[0].begin() + static_cast<std::ptrdiff_t>(count), inputBuffers[0].end(), 0.0f);
            std::fill(inputBuffers[1].begin() + static_cast<std::ptrdiff_t>(count), inputBuffers[1].end(), 0.0f);
            if (!isInputOver)
            {
                isInputOver = true;
                gate.endInput(done + count);
            }
        }

        for (size_t start = 0; start < chunk; start += block)
        {
            for (size_t pin = 0; pin < inputPins; ++pin)
            {
                inputPointers[pin] = inputBuffers[pin].data() + start;
            }
            for (size_t pin = 0; pin < outputPins; ++pin)
            {
                outputPointers[pin] = outputBuffers[pin].data() + start;
            }
            if (!instance->processReplacing(inputPointers.data(), outputPointers.data(), static_cast<VstInt32>(block)))
            {
                throw std::runtime_error(m_module->path() + ": plug-in cannot process (no processReplacing)");
            }
        }

        const size_t dropped = std::min(outputToDrop, chunk);
        outputToDrop -= dropped;
        gate.write(outputBuffers[0].data() + dropped, outputBuffers[1].data() + dropped, chunk - dropped);
        done += chunk;
        if (progress)
        {
            progress(std::min(done, total), total);
        }
    }
}

void CRenderer::render(CAudioFile::CReader &input, CAudioFile::CWriter &output, const Progress &progress) const
{
    render(
        input.sampleRate(), input.frames(),
        [&](float *left, float *right, size_t frames) { return input.read(left, right, frames); },
        [&](const float *left, const float *right, size_t frames) { output.write(left, right, frames); }, progress);
}

std::string CRenderer::renderFile(const std::string &inputPath, const std::string &outputPath,
                                  const Progress &progress) const
{
    CAudioFile::CReader input(inputPath);
    // Settled before rendering, so an unwritable format fails at once.
    const int format = CAudioFile::outputFormat(outputPath, input.format(), input.sampleRate(), m_setup.outputSubtype);
    CAudioFile::CWriter output(outputPath, input.sampleRate(), format, m_setup.isForced);
    output.setMetadata(input.metadata());
    render(input, output, progress);
    output.commit();
    return inputNotes(input) + output.clippingNote();
}

std::string CRenderer::inputNotes(const CAudioFile::CReader &input)
{
    std::string notes;
    if (input.missingFrames() > 0)
    {
        notes += "zelo: '" + input.path() + "': warning: " + std::to_string(input.missingFrames()) +
                 " frames missing (the file ends before its header says)\n";
    }
    if (input.sampleRate() < LOWEST_WORKING_RATE)
    {
        std::ostringstream note;
        note << "zelo: '" << input.path() << "': note: Zelo works at " << input.sampleRate() << " Hz as if at "
             << LOWEST_WORKING_RATE << " Hz: its times and LFO rates stretch by " << std::setprecision(3)
             << static_cast<double>(LOWEST_WORKING_RATE) / input.sampleRate() << "\n";
        notes += note.str();
    }
    return notes;
}
} // namespace Zelo::Tools
