#include "foundation/basics/CSystemString.h"

#include "foundation/basics/CStringTokeniser.h"

#include <cstring>
#include <memory>

namespace Orvalite::Basics
{
ORVALITE_DEFINE_CLASS_RECORD(CSystemString, "CSystemString", "CCountedObject")

namespace
{
const char FOREIGN_SEPARATOR = PATH_SEPARATOR == '/' ? '\\' : '/';
} // namespace

CSystemString::CSystemString(const char *text) : CString(text) {}

CSystemString::CSystemString(const CString &text) : CString(text) {}

CString &CSystemString::operator=(const char *text)
{
    setString(text);
    return *this;
}

CSystemString &CSystemString::operator=(const CSystemString &other)
{
    if (this != &other)
    {
        setString(other);
    }
    return *this;
}

CString &CSystemString::operator+=(const char *text)
{
    appendSeparator();
    appendString(text);
    return *this;
}

CString &CSystemString::operator+=(const CString &other)
{
    return *this += other.getString();
}

bool CSystemString::hasExtension(const CString &extension) const
{
    return hasExtension(extension.getString());
}

bool CSystemString::hasExtension(const char *extension) const
{
    const long extensionLength = extension ? static_cast<long>(std::strlen(extension)) : 0;
    const long textLength = getNumberOfCharacters() - 1;
    if (extensionLength == 0 || extensionLength > textLength)
    {
        return true;
    }
    return std::memcmp(getString() + textLength - extensionLength, extension, static_cast<size_t>(extensionLength)) ==
           0;
}

bool CSystemString::hasExtension() const
{
    return lastDotIndex() > 0;
}

void CSystemString::appendExtension(const CString &extension, bool replaceExisting)
{
    appendExtension(extension.getString(), replaceExisting);
}

void CSystemString::appendExtension(const char *extension, bool replaceExisting)
{
    if (hasExtension() && replaceExisting)
    {
        removeExtension();
    }
    appendString('.');
    appendString(extension);
}

void CSystemString::removeExtension()
{
    const long dot = lastDotIndex();
    if (dot > 0)
    {
        setString(getSubString(0, dot - 1));
    }
}

bool CSystemString::hasNoExtension() const
{
    return !hasExtension();
}

void CSystemString::removeFileName()
{
    const long separator = findBackwards(PATH_SEPARATOR);
    if (separator != -1)
    {
        setString(getSubString(0, separator));
    }
}

CString CSystemString::getPath() const
{
    if (hasNoExtension())
    {
        return CString(getString());
    }
    const long separator = findBackwards(PATH_SEPARATOR);
    return separator == -1 ? CString("") : getSubString(0, separator);
}

void CSystemString::appendSeparator()
{
    appendString(PATH_SEPARATOR);
}

void CSystemString::appendPath(const CString &path)
{
    const long textLength = getNumberOfCharacters() - 1;
    if (characterAt(textLength - 1) != PATH_SEPARATOR)
    {
        appendSeparator();
    }
    appendString(path);
}

CString CSystemString::getDrive(bool withSeparator) const
{
    if (!withSeparator)
    {
        return getSubString(0, 0);
    }
    const long separator = findForward(PATH_SEPARATOR);
    return separator == -1 ? CString("") : getSubString(0, separator);
}

CString CSystemString::getExtension() const
{
    const long dot = lastDotIndex();
    return dot == -1 ? CString("") : getSubString(dot, getNumberOfCharacters());
}

CString CSystemString::getFileName() const
{
    const long separator = findBackwards(PATH_SEPARATOR);
    return separator == -1 ? CString("") : getSubString(separator + 1, getNumberOfCharacters());
}

long CSystemString::getNumberOfPathComponents() const
{
    CStringTokeniser tokeniser(*this, PATH_SEPARATOR);
    long handedOut = 0;
    for (CString token; tokeniser.nextToken(token);)
    {
        ++handedOut;
    }
    return handedOut;
}

CString *CSystemString::getPathComponent(long index) const
{
    if (index < 0)
    {
        return nullptr;
    }
    CStringTokeniser tokeniser(*this, PATH_SEPARATOR);
    CString token;
    for (long number = 0; tokeniser.nextToken(token); ++number)
    {
        if (number == index)
        {
            auto component = std::make_unique<CString>(token);
            if (index == 0)
            {
                component->appendString(PATH_SEPARATOR);
            }
            return component.release();
        }
    }
    return nullptr;
}

CString CSystemString::getLastPathComponent() const
{
    std::unique_ptr<CString> last(getPathComponent(getNumberOfPathComponents() - 1));
    return last ? *last : CString();
}

void CSystemString::removeLastPathComponent()
{
    const long separator = findBackwards(PATH_SEPARATOR);
    if (separator >= 2)
    {
        setString(getSubString(0, separator - 1));
    }
}

void CSystemString::removeFirstPathComponent()
{
    const long separator = findForward(PATH_SEPARATOR);
    if (separator != -1)
    {
        setString(getSubString(separator + 1, getNumberOfCharacters()));
    }
}

void CSystemString::convertSlashes()
{
    replaceCharWithChar(FOREIGN_SEPARATOR, PATH_SEPARATOR);
}

long CSystemString::lastDotIndex() const
{
    return findBackwards('.');
}
} // namespace Orvalite::Basics
