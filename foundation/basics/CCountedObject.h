// Base of every framework object: an intrusive reference count, and an entry
// in the class registry so that live instances of each class are counted.
#pragma once

#include "foundation/basics/CClass.h"
#include "foundation/basics/ICountedObject.h"
#include "foundation/basics/TInstanceCounter.h"

#include <atomic>
#include <cstdint>

namespace Orvalite::Basics
{
class CCountedObject : public ICountedObject
{
public:
    CCountedObject() = default;
    // A copy is a new object: it starts unreferenced, whoever holds the original.
    CCountedObject(const CCountedObject &) : CCountedObject() {}
    CCountedObject &operator=(const CCountedObject &) { return *this; }
    ~CCountedObject() override = default;

    void referenced() override;
    // Drops one reference; the object deletes itself when the count falls below 1.
    void dereference() override;
    long getReferenceCount() const override;
    void getObjectDescription(char *buffer, long size) const override;

    ORVALITE_CLASS_RECORD(CCountedObject)

private:
    // Atomic: objects such as fonts and images are shared by editors that may
    // be made and destroyed on different threads.
    std::atomic<int32_t> m_referenceCount{0};
};
} // namespace Orvalite::Basics
