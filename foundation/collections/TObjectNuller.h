// Policy that only forgets pointers: the objects belong to someone else.
#pragma once

#include "foundation/collections/TPointerDeleter.h"

namespace Orvalite::Collections
{
template <class T> class TObjectNuller : public TPointerDeleter<T>
{
public:
    void pointerAdded(T *) override {}
    void deletePointer(T *) override {}

    // The one nuller shared by every non-owning holder of T.
    static TObjectNuller &shared()
    {
        static TObjectNuller instance;
        return instance;
    }

    ORVALITE_TEMPLATE_CLASS_RECORD(TObjectNuller, "TObjectNuller<TypeName>", typeid(T), "TPointerDeleter<TypeName>",
                                   typeid(T))
};
} // namespace Orvalite::Collections
