// While it lives, the x87 unit rounds to its full 64-bit significand; the
// caller's precision is restored when it ends. A DLL inherits the x87 control
// word of the host that loads it (53-bit in hosts built with Microsoft's
// compiler), so long double arithmetic whose result must not depend on the host
// runs inside one. Does nothing where there is no x87 unit.
#pragma once

namespace Orvalite::Host
{
class CExtendedPrecision
{
public:
    CExtendedPrecision();
    ~CExtendedPrecision();
    CExtendedPrecision(const CExtendedPrecision &) = delete;
    CExtendedPrecision &operator=(const CExtendedPrecision &) = delete;

private:
    unsigned short m_savedControlWord = 0;
};
} // namespace Orvalite::Host
