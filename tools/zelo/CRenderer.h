// Runs a stereo stream through a fresh instance of a plug-in module, set up as the
// command line asks (program, A/B half, parameter values, block size), with the
// plug-in's reported latency taken out and its tail kept while it is audible. A renderer may serve several threads at
// once, each render with its own instance; the module is shared.
#pragma once

#include "tools/host/CPluginInstance.h"
#include "tools/zelo/CAudioFile.h"
#include "tools/zelo/CParameterAssignment.h"
#include "tools/zelo/CPresetFile.h"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CRenderer
{
public:
    struct Setup
    {
        // A bank file is loaded first; a program file into the program chosen below.
        std::optional<CPresetFile> preset;
        // The preset's file, for messages.
        std::string presetPath;
        // A program number from 0, or a name (case-insensitive); none keeps the plug-in's own.
        std::optional<std::string> program;
        // 'A' or 'B'; none keeps the plug-in's own.
        std::optional<char> half;
        // Applied after the program and half, in order.
        std::vector<CParameterAssignment> assignments;
        // Frames per process call.
        int blockSize = 512;
        // The longest tail kept past the input's end, in seconds (0 keeps the input's length).
        double maxTailSeconds = 30.0;
        // For renderFile: the output's libsndfile subtype (0: chosen from the input)
        // and whether a read-only output is replaced.
        int outputSubtype = 0;
        bool isForced = false;
    };

    // A program or parameter the plug-in does not have, or a value it does not take.
    class CSetupError : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // Frames done so far and the total; called from the rendering thread after each chunk.
    using Progress = std::function<void(size_t done, size_t total)>;
    // Fills up to `frames` frames of both channels; returns how many, fewer only at
    // the end of the input.
    using Source = std::function<size_t(float *left, float *right, size_t frames)>;
    // Takes the next `frames` rendered frames.
    using Sink = std::function<void(const float *left, const float *right, size_t frames)>;

    CRenderer(std::shared_ptr<const CPluginModule> module, Setup setup);

    // Creates an instance at `sampleRate` and applies the setup, without rendering:
    // throws the error an unknown program or parameter, a bad value or a refused
    // preset would give; returns the preset's warnings (see createInstance).
    std::string check(int sampleRate) const;
    // A new instance at `sampleRate` set up as asked, opened and not yet resumed.
    // `warnings`, when given, receives a line for a preset whose values the
    // plug-in changed as it loaded them.
    std::unique_ptr<CPluginInstance> createInstance(int sampleRate, std::string *warnings = nullptr) const;

    // Streams the source through a new instance into the sink, a chunk at a time.
    // The output is aligned with the input: when the plug-in reports a latency L
    // (AEffect::initialDelay), the first L output frames are dropped. Past the
    // input's end silence is fed and the output goes on while it is audible (see
    // CTailGate), ending on its last frame above -96 dBFS, or cut maxTailSeconds on.
    // `inputFrames`, the input's expected length, only scales the progress: the
    // progress reaches its total with the input, and the tail renders at the total.
    void render(int sampleRate, size_t inputFrames, const Source &source, const Sink &sink,
                const Progress &progress = {}) const;
    // From an open file into another; the caller commits the output.
    void render(CAudioFile::CReader &input, CAudioFile::CWriter &output, const Progress &progress = {}) const;
    // Reads `inputPath`, renders it and writes `outputPath` in the format its
    // extension names, else the input's. Throws naming the file at fault; returns
    // inputNotes() and the output's clipping note.
    std::string renderFile(const std::string &inputPath, const std::string &outputPath,
                           const Progress &progress = {}) const;
    // Lines for the user about a rendered input: frames missing from a damaged
    // file, and a rate below the one Zelo works at.
    static std::string inputNotes(const CAudioFile::CReader &input);

private:
    std::shared_ptr<const CPluginModule> m_module;
    Setup m_setup;
};
} // namespace Zelo::Tools
