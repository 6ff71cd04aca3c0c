// Renders a number of frames of one factory program through the plug-in, for
// counting instructions per frame under callgrind: run it with two frame
// counts and divide the difference in instructions by the difference in frames.
#include "tools/host/CPluginInstance.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: %s PLUGIN FRAMES PROGRAM\n", argv[0]);
        return 2;
    }
    const long frames = std::atol(argv[2]);
    auto module = std::make_shared<const Zelo::Tools::CPluginModule>(argv[1]);
    Zelo::Tools::CPluginInstance zelo(module);
    zelo.open();
    zelo.setSampleRate(44100.0f);
    zelo.setBlockSize(512);
    zelo.resume();
    zelo.setProgram(std::atoi(argv[3]));
    std::vector<float> left(512), right(512), outLeft(512), outRight(512);
    for (int n = 0; n < 512; ++n)
    {
        left[n] = 0.5f * std::sin(0.0627f * n);
        right[n] = 0.5f * std::sin(0.0471f * n);
    }
    float *inputs[2] = {left.data(), right.data()};
    float *outputs[2] = {outLeft.data(), outRight.data()};
    for (long done = 0; done < frames; done += 512)
    {
        zelo.processReplacing(inputs, outputs, 512);
    }
    std::printf("%g\n", static_cast<double>(outLeft[511]));
    return 0;
}
