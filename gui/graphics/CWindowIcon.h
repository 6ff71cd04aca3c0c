// A window icon: a small premultiplied ARGB image that the X11 layer hands to
// the window manager (_NET_WM_ICON). Owned by its window.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CSystemString.h"
#include "gui/graphics/CBitmap.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
class CWindowIcon : public Orvalite::Basics::CCountedObject
{
public:
    CWindowIcon() = default;
    ~CWindowIcon() override;

    // A shared object carries no icon resources: destroys the icon held and answers false.
    bool loadFromResource(long resourceNumber);
    // The image file at `path` becomes the icon; a file holds one icon, index 0.
    bool extractFromFile(const Orvalite::Basics::CSystemString &path, long index);
    // Takes the other icon's image; the other is left empty.
    void takeOver(CWindowIcon &other);
    // Takes a raw premultiplied image.
    void takeOver(CBitmap &&icon);
    void destroy();

    bool hasIcon() const { return !m_icon.isEmpty(); }
    // Null when no icon is held.
    const CBitmap *getIcon() const;
    // _NET_WM_ICON data: width, height, then straight-alpha ARGB pixels row by
    // row; empty when no icon is held.
    std::vector<unsigned long> getWindowManagerIcon() const;

    ORVALITE_CLASS_RECORD(CWindowIcon)

private:
    CBitmap m_icon;
};
} // namespace Orvalite::GUI::Graphics
