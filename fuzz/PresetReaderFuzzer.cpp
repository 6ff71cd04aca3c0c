// Bytes in, preset file out: the reader of .fxp/.fxb files must refuse with a
// message or take the file apart so that writing it back gives a file of the
// same length that reads back the same.
#include "tools/zelo/CPresetFile.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>
#include <stdexcept>

using Zelo::Tools::CPresetFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CScratchFile input("preset-fuzz", ".fxp");
    if (!input.write(data, size))
    {
        return 0;
    }
    try
    {
        const CPresetFile preset = CPresetFile::read(input.getPath());
        const std::vector<uint8_t> written = preset.bytes();
        if (written.size() != size || !(CPresetFile::parse(written, "written") == preset))
        {
            __builtin_trap();
        }
    }
    catch (const std::runtime_error &)
    {
    }
    return 0;
}
