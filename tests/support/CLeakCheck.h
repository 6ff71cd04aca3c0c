// The class registry as a leak detector: after the tests, no framework object
// may be alive except those that live for the whole program (the registry's
// own collection, the shared ownership policies and the objects listed in
// CProgramLifetimeObjects).
#pragma once

#include <string>
#include <vector>

namespace Orvalite::Testing
{
class CLeakCheck
{
public:
    // One line per class whose live count is not explained by program-lifetime objects.
    static std::vector<std::string> findLeaks();
};
} // namespace Orvalite::Testing
