#include "foundation/io/CXMLAttribute.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Orvalite::Basics::CString;
using Orvalite::IO::CXMLAttribute;

namespace
{
struct SValueForm
{
    const char *form;
    std::function<CXMLAttribute *()> construct;
    std::function<void(CXMLAttribute &)> set;
    const char *text;
};

std::vector<SValueForm> valueForms()
{
    return {
        {"text", [] { return new CXMLAttribute("n", CString("a b")); }, [](auto &a) { a.setValue(CString("a b")); },
         "a b"},
        {"literal", [] { return new CXMLAttribute("n", "lit"); }, [](auto &a) { a.setValue("lit"); }, "lit"},
        {"null literal", [] { return new CXMLAttribute("n", static_cast<const char *>(nullptr)); },
         [](auto &a) { a.setValue(static_cast<const char *>(nullptr)); }, ""},
        {"true", [] { return new CXMLAttribute("n", true); }, [](auto &a) { a.setValue(true); }, "True"},
        {"false", [] { return new CXMLAttribute("n", false); }, [](auto &a) { a.setValue(false); }, "False"},
        {"double", [] { return new CXMLAttribute("n", -2.5); }, [](auto &a) { a.setValue(-2.5); }, "-2.500000"},
        {"small double", [] { return new CXMLAttribute("n", 1e-7); }, [](auto &a) { a.setValue(1e-7); }, "0.000000"},
        {"third", [] { return new CXMLAttribute("n", 1.0 / 3); }, [](auto &a) { a.setValue(1.0 / 3); }, "0.333333"},
        {"float", [] { return new CXMLAttribute("n", 0.25f); }, [](auto &a) { a.setValue(0.25f); }, "0.250000"},
        {"long", [] { return new CXMLAttribute("n", -1234567890123L); }, [](auto &a) { a.setValue(-1234567890123L); },
         "-1234567890123"},
        {"int", [] { return new CXMLAttribute("n", 42); }, [](auto &a) { a.setValue(42); }, "42"},
    };
}
} // namespace

TEST(XMLAttribute, EveryValueFormIsStoredAsItsText)
{
    for (const SValueForm &form : valueForms())
    {
        CXMLAttribute *constructed = form.construct();
        constructed->referenced();
        EXPECT_STREQ(form.text, constructed->getValue().getString()) << "constructed from " << form.form;
        constructed->dereference();

        CXMLAttribute assigned("n", "previous");
        form.set(assigned);
        EXPECT_STREQ(form.text, assigned.getValue().getString()) << "set from " << form.form;
    }
}

TEST(XMLAttribute, NamesAreTrimmedAndInnerBlanksBecomeUnderscores)
{
    const std::vector<std::pair<const char *, const char *>> cases = {
        {"  two words ", "two_words"},
        {"\tmy attr\r\n", "my_attr"},
        {"a  b", "a__b"},
        {"plain", "plain"},
        {"tab\tinside", "tab\tinside"},
        {"   ", ""},
    };
    for (const auto &[given, stored] : cases)
    {
        CXMLAttribute constructed(given, 1);
        EXPECT_STREQ(stored, constructed.getName().getString()) << "constructed with \"" << given << '"';
        CXMLAttribute renamed("x", 1);
        renamed.setName(given);
        EXPECT_STREQ(stored, renamed.getName().getString()) << "renamed to \"" << given << '"';
    }
}

TEST(XMLAttribute, TypedReadsConvertTheText)
{
    struct SCase
    {
        const char *text;
        int asInt;
        long asLong;
        double asDouble;
        bool asBool;
    };
    const std::vector<SCase> cases = {
        {"True", 0, 0, 0.0, true},
        {"true", 0, 0, 0.0, false},
        {"TRUE", 0, 0, 0.0, false},
        {" True", 0, 0, 0.0, false},
        {"12abc", 12, 12, 12.0, false},
        {"-3.75", -3, -3, -3.75, false},
        {"4000000000", 0, 4000000000L, 4e9, false},
        {"nonsense", 0, 0, 0.0, false},
    };
    for (const SCase &given : cases)
    {
        const CXMLAttribute attribute("n", given.text);
        if (given.asLong == given.asInt)
        {
            EXPECT_EQ(given.asInt, attribute.getValueAsInt()) << given.text;
        }
        EXPECT_EQ(given.asLong, attribute.getValueAsLong()) << given.text;
        EXPECT_DOUBLE_EQ(given.asDouble, attribute.getValueAsDouble()) << given.text;
        EXPECT_FLOAT_EQ(static_cast<float>(given.asDouble), attribute.getValueAsFloat()) << given.text;
        EXPECT_EQ(given.asBool, attribute.getValueAsBool()) << given.text;
    }
}
