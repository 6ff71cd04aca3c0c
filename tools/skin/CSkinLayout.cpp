#include "tools/skin/CSkinLayout.h"

#include <algorithm>

namespace Zelo::Tools
{
const std::vector<CSkinLayout::Control> &CSkinLayout::controls()
{
    using K = Kind;
    using G = Group;
    static const std::vector<Control> table = {
        {K::knob, G::voiceOne, 2, 83, 46, 93, "Pitch"},
        {K::knob, G::voiceOne, 2, 141, 47, 151, "Pan"},
        {K::knob, G::voiceOne, 2, 197, 46, 205, "Delay"},
        {K::knob, G::voiceOne, 2, 253, 46, 263, "Feedback"},
        {K::knob, G::voiceOne, 2, 307, 46, 316, "LFO Rate"},
        {K::knob, G::voiceOne, 2, 363, 46, 373, "LFO Depth"},
        {K::knob, G::voiceOne, 2, 419, 48, 429, "Gain"},
        {K::knob, G::voiceTwo, 358, 83, 286, 93, "Pitch"},
        {K::knob, G::voiceTwo, 358, 141, 289, 151, "Pan"},
        {K::knob, G::voiceTwo, 358, 197, 286, 205, "Delay"},
        {K::knob, G::voiceTwo, 358, 253, 286, 263, "Feedback"},
        {K::knob, G::voiceTwo, 358, 307, 286, 316, "LFO Rate"},
        {K::knob, G::voiceTwo, 358, 363, 286, 373, "LFO Depth"},
        {K::knob, G::voiceTwo, 358, 419, 289, 429, "Gain"},
        {K::button, G::master, 143, 151, 191, 151, "A / B"},
        {K::knob, G::master, 143, 250, 191, 262, "Dry Gain"},
        {K::button, G::master, 143, 316, 191, 316, "Sync Audio"},
        {K::button, G::master, 143, 372, 191, 372, "Grain Size"},
        {K::knob, G::master, 143, 416, 191, 428, "Master"},
    };
    return table;
}

CSkinCanvas::Colour CSkinLayout::readoutColour(Group group)
{
    switch (group)
    {
    case Group::voiceOne:
        return {186 / 255.0, 224 / 255.0, 154 / 255.0};
    case Group::voiceTwo:
        return {138 / 255.0, 211 / 255.0, 238 / 255.0};
    case Group::master:
        break;
    }
    return {1.0, 120 / 255.0, 120 / 255.0};
}

std::string CSkinLayout::title(Group group)
{
    switch (group)
    {
    case Group::voiceOne:
        return "Voice One";
    case Group::voiceTwo:
        return "Voice Two";
    case Group::master:
        break;
    }
    return "Master";
}

double CSkinLayout::columnCentre(Group group)
{
    int left = PANEL_WIDTH;
    int right = 0;
    for (const auto &control : controls())
    {
        if (control.group == group)
        {
            const int width = control.kind == Kind::knob ? KNOB_SIZE : BUTTON_WIDTH;
            left = std::min({left, control.left, control.readoutLeft});
            right = std::max({right, control.left + width, control.readoutLeft + READOUT_WIDTH});
        }
    }
    return (left + right) / 2.0;
}
} // namespace Zelo::Tools
