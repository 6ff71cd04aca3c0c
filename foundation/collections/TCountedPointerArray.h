// A pointer collection that shares ownership of its elements by reference counting.
#pragma once

#include "foundation/collections/TCountedObjectDeleter.h"
#include "foundation/collections/TPointerCollection.h"

namespace Orvalite::Collections
{
template <class T> class TCountedPointerArray : public TPointerCollection<T>
{
public:
    TCountedPointerArray() : TPointerCollection<T>(&TCountedObjectDeleter<T>::shared()) {}

    ORVALITE_TEMPLATE_CLASS_RECORD(TCountedPointerArray, "TCountedPointerArray<TypeName>", typeid(T),
                                   "TPointerCollection<TypeName>", typeid(T))
};
} // namespace Orvalite::Collections
