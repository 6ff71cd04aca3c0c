// A link: a path that knows its "http://" or "file://" prefix and can open
// itself in the user's browser.
#pragma once

#include "foundation/basics/CSystemString.h"

namespace Orvalite::Basics
{
class CHtmlString : public CSystemString
{
public:
    using CSystemString::CSystemString;
    using CSystemString::operator=;

    bool isFileLink() const;
    bool isWebLink() const;
    void addLinkPrefix(bool web);
    // A text that is neither kind of link is taken for a web address.
    void openInBrowser();

    ORVALITE_CLASS_RECORD(CHtmlString)
};
} // namespace Orvalite::Basics
