#include "effect/CVstParam.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

ORVALITE_DEFINE_CLASS_RECORD(CVstParam, "CVstParam", "CCountedObject")

namespace
{
using Orvalite::Basics::CClass;

// Parameter kinds of the framework that this effect never builds; their records
// are registered all the same so that class reports and type tests know them.
// No object ever counts in them, so they can live in static storage.
CClass s_classRecordOfCVstParamFloatExp("CVstParamFloatExp", "CVstParam");
CClass s_classRecordOfCVstParamInt("CVstParamInt", "CVstParam");

// Magnitudes at which the display drops decimals.
const double TWO_DECIMALS_FROM = 10.0;
const double ONE_DECIMAL_FROM = 100.0;
const double NO_DECIMALS_FROM = 1000.0;
// From here the base display switches to exponent notation.
const double EXPONENT_DISPLAY_FROM = 1000000.0;
} // namespace

CVstParam::CVstParam(const char *name, const char *label)
{
    storeText(m_name, name);
    storeText(m_label, label);
}

void CVstParam::setValue(float value)
{
    if (!std::isfinite(value))
    {
        return;
    }
    m_value = value;
    m_realValue = value;
}

float CVstParam::getValue() const
{
    return m_value;
}

void CVstParam::getName(char *text) const
{
    writeText(text, m_name);
}

void CVstParam::getDisplay(char *text) const
{
    formatNumber(text, m_realValue, EXPONENT_DISPLAY_FROM, false);
}

void CVstParam::getLabel(char *text) const
{
    writeText(text, m_label);
}

double CVstParam::getRealValue() const
{
    return m_value;
}

int CVstParam::getIntValue() const
{
    return roundToInt(m_value);
}

int CVstParam::roundToInt(double value)
{
    const double rounded = std::floor(value + 0.5);
    if (std::isnan(rounded))
    {
        return 0;
    }
    if (rounded >= static_cast<double>(INT_MAX))
    {
        return INT_MAX;
    }
    if (rounded <= static_cast<double>(INT_MIN))
    {
        return INT_MIN;
    }
    return static_cast<int>(rounded);
}

void CVstParam::formatNumber(char *text, double real, double exponentDisplayFrom, bool showPlus)
{
    if (!text)
    {
        return;
    }
    const double magnitude = std::fabs(real);
    if (magnitude >= exponentDisplayFrom)
    {
        std::snprintf(text, TEXT_SIZE, showPlus ? "%+g" : "%g", real);
        return;
    }
    const int decimals = magnitude >= NO_DECIMALS_FROM    ? 0
                         : magnitude >= ONE_DECIMAL_FROM  ? 1
                         : magnitude >= TWO_DECIMALS_FROM ? 2
                                                          : 3;
    std::snprintf(text, TEXT_SIZE, showPlus ? "%+.*f" : "%.*f", decimals, real);
}

void CVstParam::storeText(char (&target)[TEXT_SIZE], const char *source)
{
    std::memset(target, 0, sizeof(target));
    if (source)
    {
        std::memcpy(target, source, strnlen(source, TEXT_SIZE - 1));
    }
}

void CVstParam::writeText(char *text, const char (&source)[TEXT_SIZE])
{
    if (text)
    {
        const size_t length = strnlen(source, TEXT_SIZE - 1);
        std::memcpy(text, source, length);
        text[length] = '\0';
    }
}
