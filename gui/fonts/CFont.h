// A font: face name, pixel size and style, kept as a LOGFONT-like description
// and turned into a drawable font handle on every change. The default font
// ("Arial" 11) is shared by everything drawn without a font of its own.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "gui/fonts/IFontHandle.h"
#include "gui/fonts/SLogicalFont.h"

#include <cstdint>
#include <memory>

namespace Orvalite::IO
{
class CXMLNode;
}

namespace Orvalite::GUI::Graphics
{
class CDeviceContext;
}

namespace Orvalite::GUI::Fonts
{
class CFont : public ::Orvalite::Basics::CCountedObject
{
public:
    static constexpr long DEFAULT_SIZE = 11;
    // Sizes are kept within 0 … this many pixels.
    static constexpr long MAXIMUM_SIZE = 4096;

    // No handle, empty name, size 0.
    CFont();
    CFont(const ::Orvalite::Basics::CString &name, long size, bool italic, bool bold);
    CFont(const CFont &other);
    ~CFont() override;
    CFont &operator=(const CFont &other);

    // Adds "font_name", "font_size", "italic" and "bold" to the node; false without a node.
    virtual bool serialiseToXML(IO::CXMLNode *node) const;
    // Reads the same attributes (a missing one keeps its value) and rebuilds; false without a node.
    virtual bool readFromXML(const IO::CXMLNode *node);

    void setFont(const ::Orvalite::Basics::CString &name, long size, bool italic, bool underline, bool strikeOut,
                 bool bold);
    void setFontSize(long size);
    void setFontName(const ::Orvalite::Basics::CString &name);
    void setFontName(const CFont &font);

    const ::Orvalite::Basics::CString &getFontName() const { return m_name; }
    long getFontSize() const { return m_size; }
    bool isBold() const { return m_bold != 0; }
    bool isItalic() const { return m_italic != 0; }
    const SLogicalFont &getLogicalFont() const { return m_logicalFont; }
    // Null before a name and size are set, or when no face was found.
    const IFontHandle *getFontHandle() const { return m_handle.get(); }

    // The width in pixels of the text in this font; 0 without a context or a handle.
    long getTextExtent(const ::Orvalite::Basics::CString &text, const Graphics::CDeviceContext *deviceContext) const;

    // The shared default font, held by each createDefaultFont until its matching
    // releaseDefaultFont: made by the first holder, released by the last (on
    // Windows its GDI+ font must not outlive the editors into the DLL's unload).
    // Null while nobody holds it.
    static void createDefaultFont();
    static void releaseDefaultFont();
    static CFont *getDefaultFont() { return s_defaultFont; }

    ORVALITE_CLASS_RECORD(CFont)

private:
    // Fills the description from the attributes and makes a new handle.
    void rebuild();

    std::unique_ptr<IFontHandle> m_handle;
    SLogicalFont m_logicalFont;
    ::Orvalite::Basics::CString m_name;
    int32_t m_size = 0;
    uint8_t m_bold = 0;
    uint8_t m_italic = 0;

    static CFont *s_defaultFont;
    static long s_defaultFontHolders;
};
} // namespace Orvalite::GUI::Fonts
