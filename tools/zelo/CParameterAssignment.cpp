#include "tools/zelo/CParameterAssignment.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <vector>

namespace Zelo::Tools
{
namespace
{
// Normalised values sampled to list a choice parameter's texts.
constexpr int CHOICE_SAMPLES = 100;
// Halvings of the normalised range when the linear guess does not display the value.
constexpr int SEARCH_STEPS = 40;

std::string trimmed(const std::string &text)
{
    const auto isSpace = [](unsigned char character) { return std::isspace(character) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

bool equalIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// A number filling the whole text, which may end in the parameter's unit ("35 ms").
std::optional<double> parseNumber(const std::string &text, const std::string &unit = {})
{
    std::string number = trimmed(text);
    const std::string suffix = trimmed(unit);
    if (!suffix.empty() && number.size() > suffix.size() &&
        equalIgnoringCase(number.substr(number.size() - suffix.size()), suffix))
    {
        number = trimmed(number.substr(0, number.size() - suffix.size()));
    }
    if (number.empty())
    {
        return std::nullopt;
    }
    char *end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    // A number too large for a double is still a number, out of any range (HUGE_VAL).
    if (end != number.c_str() + number.size() || std::isnan(value))
    {
        return std::nullopt;
    }
    return value;
}

// Half a unit of a display's last digit: values closer than this show the same text.
double displayResolution(const std::string &display)
{
    const size_t point = display.find('.');
    const size_t decimals = point == std::string::npos ? 0 : display.size() - point - 1;
    return 0.5 * std::pow(10.0, -static_cast<double>(decimals));
}

std::string displayAt(CPluginInstance &instance, VstInt32 index, float value)
{
    instance.setParameter(index, value);
    return trimmed(instance.parameterDisplay(index));
}

// Puts a parameter back to its value when the search is done, thrown out of or not.
class CParameterRestorer
{
public:
    CParameterRestorer(CPluginInstance &instance, VstInt32 index)
        : m_instance(instance), m_index(index), m_value(instance.getParameter(index))
    {
    }
    ~CParameterRestorer() { m_instance.setParameter(m_index, m_value); }
    CParameterRestorer(const CParameterRestorer &) = delete;
    CParameterRestorer &operator=(const CParameterRestorer &) = delete;

private:
    CPluginInstance &m_instance;
    VstInt32 m_index;
    float m_value;
};
} // namespace

CParameterAssignment::CParameterAssignment(const std::string &text)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
    {
        throw std::invalid_argument("--set " + text + ": expected NAME=VALUE");
    }
    m_name = trimmed(text.substr(0, equals));
    m_value = trimmed(text.substr(equals + 1));
    if (m_name.empty())
    {
        throw std::invalid_argument("--set " + text + ": no parameter name before '='");
    }
}

CParameterAssignment::Resolved CParameterAssignment::resolve(CPluginInstance &instance) const
{
    const VstInt32 count = instance.effect() != nullptr ? instance.effect()->numParams : 0;
    for (VstInt32 index = 0; index < count; ++index)
    {
        if (!equalIgnoringCase(trimmed(instance.parameterName(index)), m_name))
        {
            continue;
        }
        const CParameterRestorer restorer(instance, index);
        const bool isNumeric = parseNumber(displayAt(instance, index, 0.0f)).has_value() &&
                               parseNumber(displayAt(instance, index, 1.0f)).has_value();
        return isNumeric ? resolveNumber(instance, index) : resolveChoice(instance, index);
    }
    throw std::runtime_error("unknown parameter \"" + m_name + "\" (zelo info lists them)");
}

CParameterAssignment::Resolved CParameterAssignment::resolveNumber(CPluginInstance &instance, VstInt32 index) const
{
    const std::string unit = trimmed(instance.parameterLabel(index));
    const std::string displayAtZero = displayAt(instance, index, 0.0f);
    const std::string displayAtOne = displayAt(instance, index, 1.0f);
    const double atZero = *parseNumber(displayAtZero);
    const double atOne = *parseNumber(displayAtOne);
    const std::string range = "range " + displayAtZero + " to " + displayAtOne + (unit.empty() ? "" : " " + unit);

    const std::optional<double> requested = parseNumber(m_value, unit);
    if (!requested)
    {
        throw std::runtime_error("parameter \"" + m_name + "\": \"" + m_value + "\" is not a number (" + range + ")");
    }
    const double tolerance = std::max(displayResolution(displayAtZero), displayResolution(displayAtOne));
    if (*requested < std::min(atZero, atOne) - tolerance || *requested > std::max(atZero, atOne) + tolerance)
    {
        throw std::runtime_error("parameter \"" + m_name + "\": " + m_value + " is out of " + range);
    }

    const auto distanceAt = [&](float value) {
        const std::string display = displayAt(instance, index, value);
        const std::optional<double> shown = parseNumber(display);
        return std::make_pair(shown ? std::fabs(*shown - *requested) : HUGE_VAL, display);
    };
    const double guess = atOne == atZero ? 0.0 : (*requested - atZero) / (atOne - atZero);
    float best = static_cast<float>(std::clamp(guess, 0.0, 1.0));
    auto [bestDistance, bestDisplay] = distanceAt(best);
    if (bestDistance <= displayResolution(bestDisplay))
    {
        return {index, best};
    }

    // The display was not linear after all: bisect, assuming it is at least monotonic.
    const bool rises = atOne > atZero;
    float low = 0.0f;
    float high = 1.0f;
    for (int step = 0; step < SEARCH_STEPS; ++step)
    {
        const float middle = 0.5f * (low + high);
        const auto [distance, display] = distanceAt(middle);
        if (distance < bestDistance)
        {
            best = middle;
            bestDistance = distance;
        }
        const std::optional<double> shown = parseNumber(display);
        if (shown && ((*shown < *requested) == rises))
        {
            low = middle;
        }
        else
        {
            high = middle;
        }
    }
    return {index, best};
}

CParameterAssignment::Resolved CParameterAssignment::resolveChoice(CPluginInstance &instance, VstInt32 index) const
{
    // The ends win when they match, so a two-state switch gets exactly 0 or 1;
    // otherwise the middle of the run of values that show the requested text.
    std::vector<std::string> texts;
    std::vector<float> matches;
    for (int sample = 0; sample <= CHOICE_SAMPLES; ++sample)
    {
        const float value = static_cast<float>(sample) / CHOICE_SAMPLES;
        const std::string display = displayAt(instance, index, value);
        if (std::find(texts.begin(), texts.end(), display) == texts.end())
        {
            texts.push_back(display);
        }
        if (equalIgnoringCase(display, m_value))
        {
            matches.push_back(value);
        }
    }
    if (matches.empty())
    {
        std::string choices;
        for (const std::string &text : texts)
        {
            choices += (choices.empty() ? "" : ", ") + text;
        }
        throw std::runtime_error("parameter \"" + m_name + "\": \"" + m_value + "\" is not one of " + choices);
    }
    if (matches.front() == 0.0f || matches.back() == 1.0f)
    {
        return {index, matches.front() == 0.0f ? 0.0f : 1.0f};
    }
    return {index, matches[matches.size() / 2]};
}
} // namespace Zelo::Tools
