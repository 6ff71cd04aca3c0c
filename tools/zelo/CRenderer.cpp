#include "tools/zelo/CRenderer.h"

#include "tools/zelo/CAudioFile.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace Zelo::Tools
{
namespace
{
// The plug-in's A/B switch: a parameter index past the automatable ones, 0 for A and 1 for B.
constexpr VstInt32 HALF_PARAMETER = 26;

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
            throw std::runtime_error("unknown program " + wanted + " (programs are 0 to " + std::to_string(count - 1) +
                                     ")");
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
    throw std::runtime_error("unknown program \"" + wanted + "\" (zelo info lists them)");
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

void CRenderer::check(int sampleRate) const
{
    createInstance(sampleRate);
}

std::unique_ptr<CPluginInstance> CRenderer::createInstance(int sampleRate) const
{
    CHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = m_setup.blockSize;
    auto instance = std::make_unique<CPluginInstance>(m_module, settings);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(m_setup.blockSize);
    if (m_setup.program)
    {
        instance->setProgram(findProgram(*instance, *m_setup.program));
    }
    if (m_setup.half)
    {
        instance->setParameter(HALF_PARAMETER, *m_setup.half == 'B' ? 1.0f : 0.0f);
    }
    for (const CParameterAssignment &assignment : m_setup.assignments)
    {
        const CParameterAssignment::Resolved resolved = assignment.resolve(*instance);
        instance->setParameter(resolved.index, resolved.value);
    }
    return instance;
}

CStereoSignal CRenderer::render(const CStereoSignal &input, const Progress &progress) const
{
    const std::unique_ptr<CPluginInstance> instance = createInstance(input.sampleRate);
    instance->resume();
    // Read after resuming: a plug-in may settle its latency only then.
    const size_t latency = static_cast<size_t>(std::max<VstInt32>(instance->effect()->initialDelay, 0));

    CStereoSignal output;
    output.sampleRate = input.sampleRate;
    output.left.resize(input.frames() + latency);
    output.right.resize(input.frames() + latency);

    // Every pin gets a buffer, so a plug-in with more than two never writes past ours;
    // only the first two carry audio.
    const size_t block = static_cast<size_t>(m_setup.blockSize);
    const size_t inputPins = static_cast<size_t>(std::max<VstInt32>(instance->effect()->numInputs, 2));
    const size_t outputPins = static_cast<size_t>(std::max<VstInt32>(instance->effect()->numOutputs, 2));
    std::vector<std::vector<float>> inputBuffers(inputPins, std::vector<float>(block));
    std::vector<std::vector<float>> outputBuffers(outputPins, std::vector<float>(block));
    std::vector<float *> inputPointers;
    std::vector<float *> outputPointers;
    for (auto &buffer : inputBuffers)
    {
        inputPointers.push_back(buffer.data());
    }
    for (auto &buffer : outputBuffers)
    {
        outputPointers.push_back(buffer.data());
    }

    const size_t total = input.frames() + 2 * latency;
    for (size_t start = 0; start < total; start += block)
    {
        const size_t count = std::min(block, total - start);
        const size_t available = start < input.frames() ? std::min(count, input.frames() - start) : 0;
        std::fill(inputBuffers[0].begin(), inputBuffers[0].end(), 0.0f);
        std::fill(inputBuffers[1].begin(), inputBuffers[1].end(), 0.0f);
        std::copy_n(input.left.begin() + static_cast<std::ptrdiff_t>(std::min(start, input.frames())), available,
                    inputBuffers[0].begin());
        std::copy_n(input.right.begin() + static_cast<std::ptrdiff_t>(std::min(start, input.frames())), available,
                    inputBuffers[1].begin());

        if (!instance->processReplacing(inputPointers.data(), outputPointers.data(), static_cast<VstInt32>(count)))
        {
            throw std::runtime_error(m_module->path() + ": plug-in cannot process (no processReplacing)");
        }
        for (size_t frame = 0; frame < count; ++frame)
        {
            const size_t position = start + frame;
            if (position >= latency)
            {
                output.left[position - latency] = outputBuffers[0][frame];
                output.right[position - latency] = outputBuffers[1][frame];
            }
        }
        if (progress)
        {
            progress(start + count, total);
        }
    }
    return output;
}

void CRenderer::renderFile(const std::string &inputPath, const std::string &outputPath, const Progress &progress) const
{
    const CAudioFile input = CAudioFile::read(inputPath);
    // Settled before rendering, so an unwritable format fails at once.
    const int format = CAudioFile::outputFormat(outputPath, input.format(), input.signal().sampleRate);
    CAudioFile::write(outputPath, render(input.signal(), progress), format);
}
} // namespace Zelo::Tools
