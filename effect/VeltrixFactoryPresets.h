// The effect's factory programs as data: names and both halves of parameter
// values. The effect writes them into its bank once, at construction.
#pragma once

namespace Orvalite::Veltrix
{
// The factory sets entries 0 … 17 of each half; the blank parameters keep the record's initial values.
constexpr int NUMBER_OF_FACTORY_ENTRIES = 18;

// The name of factory program `program`; the empty text outside 0 … NUMBER_OF_PROGRAMS - 1.
const char *getFactoryProgramName(int program);

// Normalised values of a factory program's A and B halves; 0 outside the
// programs or outside entries 0 … NUMBER_OF_FACTORY_ENTRIES - 1.
float getFactoryValueA(int program, int entry);
float getFactoryValueB(int program, int entry);
} // namespace Orvalite::Veltrix
