// The list of counted objects that live for the whole program (predefined
// constants such as colours), so that a leak check can tell them apart from
// objects that someone forgot to release. Holds plain pointers; owns nothing.
#pragma once

#include "foundation/basics/ICountedObject.h"

namespace Orvalite::Basics
{
class CProgramLifetimeObjects
{
public:
    // Records an object that is built during static initialisation and never released.
    static void add(const ICountedObject &object);
    static long getNumberOfObjects();
    // Null when `index` is out of range.
    static const ICountedObject *getObject(long index);
};
} // namespace Orvalite::Basics
