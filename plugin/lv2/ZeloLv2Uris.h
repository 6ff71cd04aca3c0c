// The URIs the LV2 modules and their Turtle generator share: the plug-in's, its
// UI's and the keys its state is saved under.
#pragma once

namespace Zelo::Lv2::Uris
{
constexpr const char *PLUGIN = "urn:orlen-vantrell:zelo";
constexpr const char *UI = "urn:orlen-vantrell:zelo#ui";
constexpr const char *STATE_BANK = "urn:orlen-vantrell:zelo#bank";
constexpr const char *STATE_HALF = "urn:orlen-vantrell:zelo#half";
constexpr const char *STATE_PROGRAM = "urn:orlen-vantrell:zelo#program";
} // namespace Zelo::Lv2::Uris
