// The built plug-in module as the plug-in and validation tests drive it: loaded
// once, instances opened and resumed as a host does, and a continuous stereo
// signal through processReplacing with every output sample checked.
#pragma once

#include "tools/host/CPluginInstance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace Zelo::Testing
{
inline std::shared_ptr<const Tools::CPluginModule> zeloModule()
{
    static const auto module = std::make_shared<const Tools::CPluginModule>(ZELO_PLUGIN_PATH);
    return module;
}

inline std::unique_ptr<Tools::CPluginInstance> openZelo(double sampleRate = 44100.0, VstInt32 blockSize = 512,
                                                        bool acceptsIoChanges = true)
{
    Tools::CHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = blockSize;
    if (!acceptsIoChanges)
        settings.canDos.erase("acceptIOChanges");
    auto instance = std::make_unique<Tools::CPluginInstance>(zeloModule(), settings);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(blockSize);
    instance->resume();
    return instance;
}

// A continuous two-tone stereo input and the plug-in's output, for any block size.
struct SStream
{
    // False when the plug-in refuses the call or any output sample is a NaN, an
    // infinity or subnormal. Outputs start as NaN so a sample left unwritten shows.
    // Allocates only when a block is longer than any before.
    bool process(Tools::CPluginInstance &plugin, VstInt32 frames, float amplitude = 0.5f)
    {
        const auto size = static_cast<size_t>(frames);
        left.resize(size);
        right.resize(size);
        outLeft.assign(size, std::numeric_limits<float>::quiet_NaN());
        outRight.assign(size, std::numeric_limits<float>::quiet_NaN());
        for (size_t n = 0; n < size; ++n, ++position)
        {
            left[n] = amplitude * static_cast<float>(std::sin(0.031 * static_cast<double>(position)));
            right[n] = amplitude * static_cast<float>(std::sin(0.047 * static_cast<double>(position) + 1.0));
        }
        float *inputs[2] = {left.data(), right.data()};
        float *outputs[2] = {outLeft.data(), outRight.data()};
        const auto clean = [](float sample) {
            return std::isfinite(sample) && std::fpclassify(sample) != FP_SUBNORMAL;
        };
        return plugin.processReplacing(inputs, outputs, frames) && std::all_of(outLeft.begin(), outLeft.end(), clean) &&
               std::all_of(outRight.begin(), outRight.end(), clean);
    }

    long position = 0;
    std::vector<float> left, right, outLeft, outRight;
};
// The edit requests the host received, one letter each: 'b' begin, 'a' automate,
// 'e' end; "?" for one that names another parameter than `index`.
inline std::string gestureOf(const Tools::CPluginInstance &plugin, VstInt32 index)
{
    std::string gesture;
    for (const auto &request : plugin.requests())
    {
        const char step = request.opcode == audioMasterBeginEdit  ? 'b'
                          : request.opcode == audioMasterAutomate ? 'a'
                          : request.opcode == audioMasterEndEdit  ? 'e'
                                                                  : '\0';
        if (step != '\0')
        {
            gesture += request.index == index ? step : '?';
        }
    }
    return gesture;
}

// One gesture a host can record: begin at the press, automation while moving, end at the release.
inline bool isOneGesture(const std::string &gesture)
{
    return gesture.size() >= 3 && gesture.front() == 'b' && gesture.back() == 'e' &&
           gesture.find_first_not_of('a', 1) == gesture.size() - 1;
}
} // namespace Zelo::Testing
