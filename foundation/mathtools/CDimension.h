// A size in window pixels: width and height.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <cstdint>

namespace Orvalite::MathTools
{
class CDimension : public Basics::CCountedObject
{
public:
    CDimension(long width = 0, long height = 0);
    CDimension(const CDimension &other);

    // "[width,height]"
    void getObjectDescription(char *buffer, long size) const override;

    void setDimension(long width, long height);
    void setWidth(long width);
    void setHeight(long height);
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }

    CDimension &operator=(const CDimension &other);
    bool operator==(const CDimension &other) const;

    ORVALITE_CLASS_RECORD(CDimension)

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
};
} // namespace Orvalite::MathTools
