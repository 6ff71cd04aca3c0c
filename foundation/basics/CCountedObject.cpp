#include "foundation/basics/CCountedObject.h"

#include <cstdio>
#include <new>

namespace Orvalite::Basics
{
// Building the registry builds counted objects, which need this record, while
// this record (usually the first) is still being built and registered. So the
// record is published before its constructor runs instead of through a guarded
// static, which would see that recursion as an error.
CClass &CCountedObject::getClassRecord()
{
    alignas(CClass) static unsigned char storage[sizeof(CClass)];
    static CClass *record = nullptr;
    if (!record)
    {
        record = reinterpret_cast<CClass *>(storage);
        new (storage) CClass("CCountedObject");
    }
    return *record;
}

static const CClass &s_classRecordOfCCountedObject = CCountedObject::getClassRecord();

void CCountedObject::referenced()
{
    m_referenceCount.fetch_add(1, std::memory_order_relaxed);
}

void CCountedObject::dereference()
{
    // The last holder's view of the object must be complete before it is deleted.
    if (m_referenceCount.fetch_sub(1, std::memory_order_acq_rel) <= 1)
    {
        delete this;
    }
}

long CCountedObject::getReferenceCount() const
{
    return m_referenceCount.load();
}

void CCountedObject::getObjectDescription(char *buffer, long size) const
{
    if (!buffer || size < 1)
    {
        return;
    }
    std::snprintf(buffer, static_cast<size_t>(size), "[CCounted Object Base Reference Count = %li",
                  static_cast<long>(m_referenceCount.load()));
}
} // namespace Orvalite::Basics
