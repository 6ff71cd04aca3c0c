// Control XML as anyone can write it, read into a window's control root: the
// reader must fail cleanly, never crash, recurse or allocate without bound,
// and free everything. What was read is written and read once more, so the
// writer sees every control set the reader can make. The windows stay without
// a native window: reading and writing need none.
#include "foundation/basics/CString.h"
#include "gui/controls/base/CControlRoot.h"
#include "gui/windowing/CWindow.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CString;
using Orvalite::GUI::Windowing::CWindow;
using Orvalite::MathTools::CRect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CScratchFile input("controls-fuzz", "-in.xml"), output("controls-fuzz", "-out.xml");
    CWindow reader(CRect(0, 0, 400, 466));
    if (input.write(data, size) && reader.getControlRoot().loadFromXMLFile(CString(input.getPath().c_str())) &&
        reader.getControlRoot().saveToXMLFile(CString(output.getPath().c_str())))
    {
        CWindow copy(CRect(0, 0, 400, 466));
        copy.getControlRoot().loadFromXMLFile(CString(output.getPath().c_str()));
    }
    return 0;
}
