// What the foundation tests share: the test framework, temporary folders, the
// standard pieces their tables are built from, and short reads of a string's
// text and of how many instances of a framework class are alive.
#pragma once

#include "foundation/basics/CString.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace Orvalite::Testing
{
inline std::string text(const Basics::CString &value)
{
    return value.getString();
}

template <class TObject> long liveInstances()
{
    return TObject::getClassRecord().getNumberOfInstances();
}
} // namespace Orvalite::Testing
