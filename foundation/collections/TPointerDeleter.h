// Ownership policy of a collection or holder: told when a pointer is taken in
// and when it is let go. The concrete policies delete, forget or count.
#pragma once

#include "foundation/basics/CCountedObject.h"

namespace Orvalite::Collections
{
template <class T> class TPointerDeleter : public Basics::CCountedObject
{
public:
    virtual void pointerAdded(T *pointer) = 0;
    virtual void deletePointer(T *pointer) = 0;

    ORVALITE_TEMPLATE_CLASS_RECORD(TPointerDeleter, "TPointerDeleter<TypeName>", typeid(T), "CCountedObject")
};
} // namespace Orvalite::Collections
