#include "foundation/basics/CProgramLifetimeObjects.h"

#include <cstddef>
#include <vector>

namespace Orvalite::Basics
{
namespace
{
// Built on first use, so objects of any translation unit may register while
// the program starts.
std::vector<const ICountedObject *> &objects()
{
    static std::vector<const ICountedObject *> list;
    return list;
}
} // namespace

void CProgramLifetimeObjects::add(const ICountedObject &object)
{
    objects().push_back(&object);
}

long CProgramLifetimeObjects::getNumberOfObjects()
{
    return static_cast<long>(objects().size());
}

const ICountedObject *CProgramLifetimeObjects::getObject(long index)
{
    if (index < 0 || index >= getNumberOfObjects())
    {
        return nullptr;
    }
    return objects()[static_cast<std::size_t>(index)];
}
} // namespace Orvalite::Basics
