// State and behaviour shared by every image: reference counting, size, the
// file it came from, the decoded bitmap and the message of the last failed load.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "gui/graphics/CBitmap.h"
#include "gui/graphics/IImage.h"

#include <cstdint>

namespace Orvalite::GUI::Graphics
{
class CBaseImage : public IImage
{
public:
    CBaseImage(const CBaseImage &) = delete;
    CBaseImage &operator=(const CBaseImage &) = delete;
    // Unloads, deleting the bitmap.
    ~CBaseImage() override;

    void referenced() override;
    // Deletes the image when the count falls below 1.
    void dereference() override;
    long getReferenceCount() const override;
    // "No Image loaded", or "File loaded is = " and the file name.
    void getObjectDescription(char *buffer, long size) const override;

    const MathTools::CDimension &getImageSize() const override { return m_size; }
    const MathTools::CRect &getImageSizeArea() const override { return m_area; }
    const Orvalite::Basics::CSystemString &getFilename() const override { return m_filename; }
    // The base loads nothing.
    bool loadFromFile(const Orvalite::Basics::CSystemString &path) override;
    void unloadImage() override;
    bool hasAlpha() const override { return m_hasAlpha; }
    bool imageHasLoaded() const override { return m_loaded; }
    const CBitmap *getImageHandle() const override;

    // Why the last load failed.
    const Orvalite::Basics::CString &getLastErrorMessage() const { return m_lastErrorMessage; }

    ORVALITE_CLASS_RECORD(CBaseImage)

protected:
    explicit CBaseImage(bool hasAlpha);

    // Unloads (keeping the file name), stores the failure message and answers false.
    bool fail(const char *message);
    // Marks the bitmap as loaded, with the size and area taken from it.
    bool finishLoad();
    // Sets the size and the area (0, 0, width, height) without loading anything.
    void setImageSize(long width, long height);
    void setHasAlpha(bool hasAlpha) { m_hasAlpha = hasAlpha; }
    void setFilename(const Orvalite::Basics::CSystemString &path) { m_filename = path; }
    CBitmap &getBitmap() { return m_bitmap; }

private:
    bool m_hasAlpha;
    int32_t m_referenceCount = 0;
    bool m_loaded = false;
    MathTools::CDimension m_size;
    MathTools::CRect m_area;
    Orvalite::Basics::CSystemString m_filename;
    Orvalite::Basics::CString m_lastErrorMessage;
    CBitmap m_bitmap;
};
} // namespace Orvalite::GUI::Graphics
