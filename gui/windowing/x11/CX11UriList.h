// Reads the text/uri-list that an XDND source hands over into local file
// paths. Stateless; used by CX11DropTarget.
#pragma once

#include <string>
#include <vector>

namespace Orvalite::GUI::Windowing
{
class CX11UriList
{
public:
    // The paths of the list's file:// URIs ("file:///a%20b" and "file://host/a%20b" give "/a b"),
    // percent-decoded, in list order; comment lines and other schemes are skipped.
    static std::vector<std::string> toPaths(const std::string &uriList);

private:
    static bool toPath(const std::string &uri, std::string &pathOut);
    static std::string percentDecoded(const std::string &text);
};
} // namespace Orvalite::GUI::Windowing
