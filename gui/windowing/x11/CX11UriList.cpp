#include "gui/windowing/x11/CX11UriList.h"

#include <sstream>

namespace Orvalite::GUI::Windowing
{
namespace
{
constexpr char FILE_SCHEME[] = "file://";

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
    {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f')
    {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F')
    {
        return digit - 'A' + 10;
    }
    return -1;
}
} // namespace

std::vector<std::string> CX11UriList::toPaths(const std::string &uriList)
{
    std::vector<std::string> paths;
    std::istringstream lines(uriList);
    std::string line;
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
        {
            line.pop_back();
        }
        std::string path;
        if (!line.empty() && line[0] != '#' && toPath(line, path))
        {
            paths.push_back(path);
        }
    }
    return paths;
}

bool CX11UriList::toPath(const std::string &uri, std::string &pathOut)
{
    if (uri.compare(0, sizeof(FILE_SCHEME) - 1, FILE_SCHEME) != 0)
    {
        return false;
    }
    // The authority (a host name, usually empty) ends where the path begins.
    const size_t pathStart = uri.find('/', sizeof(FILE_SCHEME) - 1);
    if (pathStart == std::string::npos)
    {
        return false;
    }
    pathOut = percentDecoded(uri.substr(pathStart));
    return true;
}

std::string CX11UriList::percentDecoded(const std::string &text)
{
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const int high = text[i] == '%' && i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0)
        {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        }
        else
        {
            decoded += text[i];
        }
    }
    return decoded;
}
} // namespace Orvalite::GUI::Windowing
