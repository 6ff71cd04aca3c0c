// Base of the effect's parameter objects: a normalised value exchanged with the
// host, a value in the parameter's own units, a name and a unit label. The
// effect owns one set and the editor keeps its own mirror set for its read-outs.
#pragma once

#include "foundation/basics/CCountedObject.h"

class CVstParam : public Orvalite::Basics::CCountedObject
{
public:
    // Every text a parameter writes (name, label, display, entry name) fits in
    // this many bytes, terminator included.
    static constexpr int TEXT_SIZE = 24;

    // Null texts are taken as empty; longer texts are cut to TEXT_SIZE - 1 characters.
    CVstParam(const char *name, const char *label);
    ~CVstParam() override = default;

    // Sets the normalised value; here the real value equals it. Hosts may send
    // anything: a non-finite value is ignored, a finite one outside 0 … 1 is kept.
    virtual void setValue(float value);
    virtual float getValue() const;
    // The writers below put at most TEXT_SIZE bytes into `text`; a null `text` is ignored.
    virtual void getName(char *text) const;
    virtual void getDisplay(char *text) const;
    virtual void getLabel(char *text) const;
    virtual double getRealValue() const;
    // The real value rounded half up, saturated to the int range.
    virtual int getIntValue() const;

    ORVALITE_CLASS_RECORD(CVstParam)

protected:
    // floor(value + 0.5) without undefined conversion: clamped to the int range, NaN gives 0.
    static int roundToInt(double value);
    // The display of a real value: exponent notation from `exponentDisplayFrom`
    // on, below it 0 to 3 decimals as the magnitude shrinks; bounded to TEXT_SIZE.
    static void formatNumber(char *text, double real, double exponentDisplayFrom, bool showPlus);
    // Copies at most TEXT_SIZE - 1 characters of `source` and zero-fills the rest.
    static void storeText(char (&target)[TEXT_SIZE], const char *source);
    // Writes the terminated `source` (at most TEXT_SIZE bytes) into `text`.
    static void writeText(char *text, const char (&source)[TEXT_SIZE]);

    float m_value = 0.0f;
    float m_realValue = 0.0f;
    char m_name[TEXT_SIZE];
    char m_label[TEXT_SIZE];
};
