// A parameter that maps its normalised value linearly onto a real range
// (decibels, milliseconds, cents, hertz, percent).
#pragma once

#include "effect/CVstParam.h"

class CVstParamFloat : public CVstParam
{
public:
    // The real value starts at `initialReal` and the normalised value follows
    // from it, neither clamped to the range (0 when the range is empty).
    CVstParamFloat(const char *name, const char *label, float minimum, float maximum, float initialReal);
    ~CVstParamFloat() override = default;

    // Real value = minimum + (maximum - minimum) × value. Values outside 0 … 1
    // extrapolate; a real value beyond the float range saturates at ±FLT_MAX.
    void setValue(float value) override;
    // Fixed decimals by magnitude; exponent notation from 100000 on.
    void getDisplay(char *text) const override;
    double getRealValue() const override;
    int getIntValue() const override;

    // Maps the current normalised value onto the new range. Non-finite bounds are ignored.
    virtual void setRange(float minimum, float maximum);
    // Whether the display carries a sign for positive values; off by default.
    void setShowPlus(bool showPlus) { m_showPlus = showPlus; }

    ORVALITE_CLASS_RECORD(CVstParamFloat)

private:
    bool m_showPlus = false;
    float m_minimum;
    float m_maximum;
};
