// Control XML as anyone can write it, read into a window's control root: the
// reader must fail cleanly, never crash, recurse or allocate without bound,
// and free everything. What was read is written and read once more, so the
// writer sees every control set the reader can make. The windows stay without
// a native window: reading and writing need none.
#include "foundation/basics/CString.h"
#include "gui/controls/CControlFactory.h"
#include "gui/controls/CControlRoot.h"
#include "gui/controls/IControl.h"
#include "gui/windowing/CWindow.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CString;
using Orvalite::GUI::Windowing::CWindow;
using Orvalite::MathTools::CRect;

namespace
{
const CScratchFile input("controls-fuzz", "-in.xml");
const CScratchFile output("controls-fuzz", "-out.xml");

void removeFiles()
{
    input.remove();
    output.remove();
}

// Reads and writes `root`'s controls through the scratch files; true when both worked.
bool roundTrip(Orvalite::GUI::Controls::CControlRoot &root)
{
    CWindow copy(CRect(0, 0, 400, 466));
    return root.saveToXMLFile(CString(output.getPath().c_str())) &&
           copy.getControlRoot().loadFromXMLFile(CString(output.getPath().c_str()));
}
} // namespace

// fontconfig builds its caches on the first font a label resolves; resolving one
// here keeps them out of the leak check of the first input that names a font.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    CWindow window(CRect(0, 0, 400, 466));
    Orvalite::GUI::Controls::IControl *label = nullptr;
    if (Orvalite::GUI::Controls::CControlFactory::createControl("CTextLabel", label, &window.getControlRoot()))
    {
        window.getControlRoot().addControl(label);
        roundTrip(window.getControlRoot());
    }
    removeFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!input.write(data, size))
    {
        removeFiles();
        return 0;
    }
    CWindow reader(CRect(0, 0, 400, 466));
    if (reader.getControlRoot().loadFromXMLFile(CString(input.getPath().c_str())))
    {
        roundTrip(reader.getControlRoot());
    }
    removeFiles();
    return 0;
}
