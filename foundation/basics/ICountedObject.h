// Interface of every reference-counted framework object: intrusive counting,
// a one-line description and the object's class record.
#pragma once

namespace Orvalite::Basics
{
class CClass;

class ICountedObject
{
public:
    virtual ~ICountedObject() = default;
    virtual void referenced() = 0;
    virtual void dereference() = 0;
    virtual long getReferenceCount() const = 0;
    virtual void getObjectDescription(char *buffer, long size) const = 0;
    virtual CClass &getClass() const = 0;
};
} // namespace Orvalite::Basics
