#include "effect/VeltrixFactoryPresets.h"

#include "effect/VeltrixParameterTable.h"
#include "effect/VeltrixProgram.h"

namespace Orvalite::Veltrix
{
namespace
{
struct SFactoryProgram
{
    const char *name;
    float halfA[NUMBER_OF_FACTORY_ENTRIES];
};

// The values are the exact floats the presets were saved with: 0.87499994f is
// the float just below 0.875, and 0.07086611f is not 9/127. Do not tidy them.
const SFactoryProgram FACTORY_PROGRAMS[NUMBER_OF_PROGRAMS] = {
    {"Basic Doubler",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.0f, 0.12500001f, 0.0f, 0.0f, 0.0f,
      0.0f, 0.5f, 0.5f, 0.0f}},
    {"Double Take",
     {0.5f, 0.0f, 0.46499997f, 0.52500004f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.18785f, 0.5f, 0.2f,
      0.11f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f}},
    {"Acoustic Guitar",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.05f, 0.095f, 0.075f, 0.0f,
      0.0f, 0.5f, 0.5f, 0.0f}},
    {"Vocals",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.07f, 0.0f, 0.0f, 0.0f,
      0.0f, 0.5f, 0.5f, 0.0f}},
    {"Vocals wide",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.0f, 0.395f, 0.145f, 0.15f, 0.195f, 0.03f,
      0.055f, 0.5f, 0.5f, 0.0f}},
    {"Slap back",
     {0.5f, 0.5f, 0.5f, 0.5f, 0.87499994f, 0.87499994f, 0.5f, 1.0f, 0.07086611f, 1.0f, 0.195f, 0.195f, 0.2f, 0.0986f,
      0.19915f, 0.5f, 0.5f, 0.0f}},
    {"Warble",
     {0.5f, 0.0f, 0.54999995f, 0.45f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.145f, 0.20000002f, 0.145f,
      0.1f, 0.16f, 0.16f, 0.825f, 0.175f, 0.0f}},
    {"Chorus",
     {0.5f, 0.0f, 0.54999995f, 0.45f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.145f, 0.20000002f, 0.145f,
      0.1f, 0.16f, 0.16f, 0.585f, 0.415f, 0.0f}},
    {"Init",
     {0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 1.0f, 1.0f, 0.07086611f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.5f,
      0.0f}},
    {"----------",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.26500002f, 0.0f, 0.0f,
      0.0f, 0.0f, 0.5f, 0.5f, 0.0f}},
    {"Orlen",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.26500002f, 0.0f, 0.0f,
      0.0f, 0.0f, 0.5f, 0.5f, 0.0f}},
    {"Vantrell",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.26500002f, 0.0f, 0.0f,
      0.0f, 0.0f, 0.5f, 0.5f, 0.0f}},
    {"Audio",
     {0.5f, 0.0f, 0.53f, 0.47f, 0.87499994f, 0.87499994f, 1.0f, 1.0f, 0.07086611f, 0.095f, 0.26500002f, 0.0f, 0.0f,
      0.0f, 0.0f, 0.5f, 0.5f, 0.0f}},
};

// The B halves differ from the A halves only in "Grain Size": the large grain.
// Programs from LATE_PROGRAMS_FROM on were saved with it at this value.
const float LARGE_GRAIN = 1.0f;
const float LARGE_GRAIN_LATE_PROGRAMS = 0.9291339f;
const int LATE_PROGRAMS_FROM = 9;

bool isFactoryEntry(int program, int entry)
{
    return program >= 0 && program < NUMBER_OF_PROGRAMS && entry >= 0 && entry < NUMBER_OF_FACTORY_ENTRIES;
}
} // namespace

const char *getFactoryProgramName(int program)
{
    return program >= 0 && program < NUMBER_OF_PROGRAMS ? FACTORY_PROGRAMS[program].name : "";
}

float getFactoryValueA(int program, int entry)
{
    return isFactoryEntry(program, entry) ? FACTORY_PROGRAMS[program].halfA[entry] : 0.0f;
}

float getFactoryValueB(int program, int entry)
{
    if (isFactoryEntry(program, entry) && entry == PARAMETER_GRAIN_SIZE)
    {
        return program < LATE_PROGRAMS_FROM ? LARGE_GRAIN : LARGE_GRAIN_LATE_PROGRAMS;
    }
    return getFactoryValueA(program, entry);
}
} // namespace Orvalite::Veltrix
