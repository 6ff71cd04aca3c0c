// Bytes in, XML document out: the reader must end, stay inside its memory and
// free everything for any file. A document that was read is written and read
// once more, so the writer sees every tree the reader can make.
#include "foundation/io/CXMLDocument.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CSystemString;
using Orvalite::IO::CXMLDocument;

namespace
{
const CScratchFile input("xml-fuzz", "-in.xml");
const CScratchFile output("xml-fuzz", "-out.xml");

void removeFiles()
{
    input.remove();
    output.remove();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!input.write(data, size))
    {
        removeFiles();
        return 0;
    }
    CXMLDocument document;
    if (document.readFile(CSystemString(input.getPath().c_str())) && document.getRootNode())
    {
        // Names the reader accepts need not survive writing ("!x", the empty
        // name), so the second read is exercised, not compared.
        const CSystemString written(output.getPath().c_str());
        document.writeFile(written);
        CXMLDocument copy;
        copy.readFile(written);
    }
    removeFiles();
    return 0;
}
