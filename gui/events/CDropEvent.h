// Files dropped on a window: the drop point in window coordinates and the
// dropped paths, owned by the event.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "foundation/mathtools/CPoint.h"

#include <vector>

namespace Orvalite::GUI::Events
{
class CDropEvent : public ::Orvalite::Basics::CCountedObject
{
public:
    CDropEvent(const MathTools::CPoint &dropPoint, std::vector<::Orvalite::Basics::CString> fileNames);
    CDropEvent(const CDropEvent &other);
    // Takes the other's point and appends its file names.
    CDropEvent &operator=(const CDropEvent &other);

    const MathTools::CPoint &getDropPoint() const { return m_dropPoint; }
    void setDropPoint(const MathTools::CPoint &dropPoint) { m_dropPoint = dropPoint; }
    const std::vector<::Orvalite::Basics::CString> &getFileNames() const { return m_fileNames; }

    ORVALITE_CLASS_RECORD(CDropEvent)

private:
    MathTools::CPoint m_dropPoint;
    std::vector<::Orvalite::Basics::CString> m_fileNames;
};
} // namespace Orvalite::GUI::Events
