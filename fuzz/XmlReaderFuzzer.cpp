// Bytes in, XML document out: the reader must end, stay inside its memory and
// free everything for any file. A document that was read is written and read
// once more, so the writer sees every tree the reader can make.
#include "foundation/io/CXMLDocument.h"

#include "fuzz/CScratchFile.h"

#include <cstdint>

using Orvalite::Basics::CSystemString;
using Orvalite::IO::CXMLDocument;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const CScratchFile input("xml-fuzz", "-in.xml"), output("xml-fuzz", "-out.xml");
    CXMLDocument document;
    if (input.write(data, size) && document.readFile(CSystemString(input.getPath().c_str())) && document.getRootNode())
    {
        // Names the reader accepts need not survive writing ("!x", the empty
        // name), so the second read is exercised, not compared.
        const CSystemString written(output.getPath().c_str());
        document.writeFile(written);
        CXMLDocument copy;
        copy.readFile(written);
    }
    return 0;
}
