// The phrase `zelo render --demo` renders, synthesised so the command needs no
// files: a plucked-string line (Karplus-Strong) answered by a sung "ah" with vibrato.
#pragma once

#include "tools/zelo/CStereoSignal.h"

namespace Zelo::Tools
{
class CDemoPhrase
{
public:
    // About four seconds of mono material in both channels; the same samples every time.
    static CStereoSignal synthesise(int sampleRate = 44100);

private:
    static void addPluck(CStereoSignal &signal, double startSeconds, double frequency, double seconds);
    static void addSungVowel(CStereoSignal &signal, double startSeconds, double frequency, double seconds);
};
} // namespace Zelo::Tools
