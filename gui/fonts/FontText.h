// The form every font handle measures and draws our 8-bit texts in.
#pragma once

#include <string>

namespace Orvalite::GUI::Fonts
{
// Valid UTF-8 passes unchanged; anything else is read as Latin-1.
std::string fontTextAsUtf8(const std::string &text);
} // namespace Orvalite::GUI::Fonts
