#include "tools/zelo/CRenderer.h"

#include "tools/zelo/CPresetExchange.h"

#include <algorithm>
#include <cctype>
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

bool equalIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
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
    // Read after resuming: a plug-in may settle its latency only then.
    const size_t latency = static_cast<size_t>(std::max<VstInt32>(instance->effect()->initialDelay, 0));

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

    const size_t total = inputFrames + 2 * latency;
    size_t done = 0;
    size_t silenceLeft = 2 * latency;
    size_t outputToDrop = latency;
    bool isInputOver = false;
    for (;;)
    {
        size_t count = isInputOver ? 0 : source(inputBuffers[0].data(), inputBuffers[1].data(), chunk);
        isInputOver = isInputOver || count < chunk;
        if (isInputOver)
        {
            // The input is over: the rest of the chunk is silence, as much as the latency asks.
            const size_t silence = std::min(chunk - count, silenceLeft);
            std::fill_n(inputBuffers[0].begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            std::fill_n(inputBuffers[1].begin() + static_cast<std::ptrdiff_t>(count), silence, 0.0f);
            silenceLeft -= silence;
            count += silence;
        }
        if (count == 0)
        {
            break;
        }

        for (size_t start = 0; start < count; start += block)
        {
            for (size_t pin = 0; pin < inputPins; ++pin)
            {
                inputPointers[pin] = inputBuffers[pin].data() + start;
            }
            for (size_t pin = 0; pin < outputPins; ++pin)
            {
                outputPointers[pin] = outputBuffers[pin].data() + start;
            }
            if (!instance->processReplacing(inputPointers.data(), outputPointers.data(),
                                            static_cast<VstInt32>(std::min(block, count - start))))
            {
                throw std::runtime_error(m_module->path() + ": plug-in cannot process (no processReplacing)");
            }
        }

        const size_t dropped = std::min(outputToDrop, count);
        outputToDrop -= dropped;
        if (dropped < count)
        {
            sink(outputBuffers[0].data() + dropped, outputBuffers[1].data() + dropped, count - dropped);
        }
        done += count;
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
