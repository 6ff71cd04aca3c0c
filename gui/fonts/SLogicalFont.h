// The description a font is made from, field for field as Win32's LOGFONTA:
// height (negative: the character height in pixels), weight (400 normal, 700
// bold), style flags and a face name of at most 31 characters.
#pragma once

#include <cstdint>

namespace Orvalite::GUI::Fonts
{
struct SLogicalFont
{
    static constexpr int FACE_NAME_SIZE = 32;

    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 4;
    uint8_t clipPrecision = 0;
    uint8_t quality = 5;
    uint8_t pitchAndFamily = 0;
    char faceName[FACE_NAME_SIZE] = {};
};
} // namespace Orvalite::GUI::Fonts
