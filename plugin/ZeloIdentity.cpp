#include "plugin/ZeloIdentity.h"

#include "foundation/basics/CApplicationInformation.h"

namespace Zelo::Module
{
namespace
{
const char *const NOTICE = "Zelo stereo doubler. Copyright Orlen Vantrell Audio.";
} // namespace

void setIdentity(void *addressInModule)
{
    Orvalite::Basics::CApplicationInformation::setApplicationInformation(
        VENDOR, "Zelo", "Doubler", "1.0.0", "Software\\OVA\\Zelo", NOTICE, addressInModule);
}

void releaseIdentity()
{
    Orvalite::Basics::CApplicationInformation::releaseApplicationInformation();
}
} // namespace Zelo::Module
