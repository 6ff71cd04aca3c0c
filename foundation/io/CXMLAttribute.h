// One name="value" pair of an XML node. The node that holds it owns it by
// reference counting; the value is kept unescaped, as the caller sees it.
#pragma once

#include "foundation/basics/CString.h"

namespace Orvalite::IO
{
class CXMLAttribute : public Basics::CCountedObject
{
public:
    // Every constructor normalises the name as setName does. Numbers are stored
    // as text: doubles and floats with "%f", longs with "%li", ints with "%d",
    // bools as "True" or "False".
    CXMLAttribute(const Basics::CString &name, const Basics::CString &value);
    // Without this overload a string literal would pick the bool form.
    CXMLAttribute(const Basics::CString &name, const char *value);
    CXMLAttribute(const Basics::CString &name, bool value);
    CXMLAttribute(const Basics::CString &name, double value);
    CXMLAttribute(const Basics::CString &name, float value);
    CXMLAttribute(const Basics::CString &name, long value);
    CXMLAttribute(const Basics::CString &name, int value);

    // Trims white space at both ends and turns every inner blank into '_'.
    void setName(const Basics::CString &name);
    const Basics::CString &getName() const { return m_name; }

    void setValue(const Basics::CString &value);
    // A null text stores the empty text.
    void setValue(const char *value);
    void setValue(bool value);
    void setValue(double value);
    void setValue(float value);
    void setValue(long value);
    void setValue(int value);
    const Basics::CString &getValue() const { return m_value; }

    // Runtime conversions of the text (atof, atoi, atol): text that is no number reads 0.
    double getValueAsDouble() const;
    float getValueAsFloat() const;
    int getValueAsInt() const;
    long getValueAsLong() const;
    // True exactly when the value is "True"; the match is case-sensitive.
    bool getValueAsBool() const;

    ORVALITE_CLASS_RECORD(CXMLAttribute)

private:
    Basics::CString m_name;
    Basics::CString m_value;
};
} // namespace Orvalite::IO
