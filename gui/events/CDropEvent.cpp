#include "gui/events/CDropEvent.h"

namespace Orvalite::GUI::Events
{
ORVALITE_DEFINE_CLASS_RECORD(CDropEvent, "CDropEvent", "CCountedObject")

CDropEvent::CDropEvent(const MathTools::CPoint &dropPoint, std::vector<::Orvalite::Basics::CString> fileNames)
    : m_dropPoint(dropPoint), m_fileNames(std::move(fileNames))
{
}

CDropEvent::CDropEvent(const CDropEvent &other)
    : CCountedObject(other), m_dropPoint(other.m_dropPoint), m_fileNames(other.m_fileNames)
{
}

CDropEvent &CDropEvent::operator=(const CDropEvent &other)
{
    if (this != &other)
    {
        m_dropPoint = other.m_dropPoint;
        m_fileNames.insert(m_fileNames.end(), other.m_fileNames.begin(), other.m_fileNames.end());
    }
    return *this;
}
} // namespace Orvalite::GUI::Events
