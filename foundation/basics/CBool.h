// A bool as a framework object, with its text "True" or "False".
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"

namespace Orvalite::Basics
{
class CBool : public CCountedObject
{
public:
    CBool(bool value = false);

    // "True" or "False"
    void getObjectDescription(char *buffer, long size) const override;

    CBool &operator=(bool value);
    bool operator==(bool value) const;
    bool operator==(const CBool &other) const;
    bool operator!=(bool value) const;
    bool operator!=(const CBool &other) const;
    bool getValue() const { return m_value; }

    CString toString() const;
    void toString(CString &text) const;

    ORVALITE_CLASS_RECORD(CBool)

private:
    bool m_value;
};
} // namespace Orvalite::Basics
