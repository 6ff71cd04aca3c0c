// A file-system path: a string with path operations on the platform's separator.
// Appending with += always inserts exactly one separator before the new part.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::Basics
{
#if defined(_WIN32)
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif

class CSystemString : public CString
{
public:
    CSystemString() = default;
    CSystemString(const char *text);
    CSystemString(const CString &text);
    CSystemString(const CSystemString &other) = default;

    using CString::operator=;
    CString &operator=(const char *text) override;
    CSystemString &operator=(const CSystemString &other);
    CString &operator+=(const char *text) override;
    CString &operator+=(const CString &other) override;

    // True when the text ends with `extension` (or it is empty or longer than the text).
    bool hasExtension(const CString &extension) const;
    bool hasExtension(const char *extension) const;
    // True when a '.' stands after the first character.
    bool hasExtension() const;
    void appendExtension(const CString &extension, bool replaceExisting);
    void appendExtension(const char *extension, bool replaceExisting);
    void removeExtension();
    bool hasNoExtension() const;
    void removeFileName();
    CString getPath() const;
    void appendSeparator();
    void appendPath(const CString &path);
    CString getDrive(bool withSeparator) const;
    CString getExtension() const;
    CString getFileName() const;
    long getNumberOfPathComponents() const;
    // A new string the caller deletes, or null; component 0 carries a separator.
    CString *getPathComponent(long index) const;
    CString getLastPathComponent() const;
    void removeLastPathComponent();
    void removeFirstPathComponent();
    // Turns the other platform's separators into this platform's.
    void convertSlashes();

    ORVALITE_CLASS_RECORD(CSystemString)

private:
    long lastDotIndex() const;
};
} // namespace Orvalite::Basics
