// Policy that deletes the objects a collection lets go of.
#pragma once

#include "foundation/collections/TPointerDeleter.h"

namespace Orvalite::Collections
{
template <class T> class TObjectDeleter : public TPointerDeleter<T>
{
public:
    void pointerAdded(T *) override {}
    void deletePointer(T *pointer) override { delete pointer; }

    ORVALITE_TEMPLATE_CLASS_RECORD(TObjectDeleter, "TObjectDeleter<TypeName>", typeid(T), "TPointerDeleter<TypeName>",
                                   typeid(T))
};
} // namespace Orvalite::Collections
