// Policy of shared ownership: a pointer taken in is referenced, one let go is
// dereferenced (and so deleted with its last reference).
#pragma once

#include "foundation/collections/TPointerDeleter.h"

namespace Orvalite::Collections
{
template <class T> class TCountedObjectDeleter : public TPointerDeleter<T>
{
public:
    void pointerAdded(T *pointer) override
    {
        if (pointer)
        {
            pointer->referenced();
        }
    }

    void deletePointer(T *pointer) override
    {
        if (pointer)
        {
            pointer->dereference();
        }
    }

    // The one counting policy shared by every collection and holder of T.
    static TCountedObjectDeleter &shared()
    {
        static TCountedObjectDeleter instance;
        return instance;
    }

    ORVALITE_TEMPLATE_CLASS_RECORD(TCountedObjectDeleter, "TCountedObjectDeleter<TypeName>", typeid(T),
                                   "TPointerDeleter<TypeName>", typeid(T))
};
} // namespace Orvalite::Collections
