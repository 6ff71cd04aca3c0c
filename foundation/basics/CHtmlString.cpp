#include "foundation/basics/CHtmlString.h"

#include "foundation/host/CLinkOpener.h"

#include <cstring>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CHtmlString, "CHtmlString", "CCountedObject")

namespace
{
const char *const FILE_PREFIX = "file://";
const char *const WEB_PREFIX = "http://";
const size_t PREFIX_LENGTH = 7;
} // namespace

bool CHtmlString::isFileLink() const
{
    return std::strncmp(getString(), FILE_PREFIX, PREFIX_LENGTH) == 0;
}

bool CHtmlString::isWebLink() const
{
    return std::strncmp(getString(), WEB_PREFIX, PREFIX_LENGTH) == 0;
}

void CHtmlString::addLinkPrefix(bool web)
{
    CString link(web ? WEB_PREFIX : FILE_PREFIX);
    link.appendString(getString());
    setString(link);
}

void CHtmlString::openInBrowser()
{
    if (!isFileLink() && !isWebLink())
    {
        addLinkPrefix(true);
    }
    Host::CLinkOpener::open(getString());
}
} // namespace Orvalite::Basics
