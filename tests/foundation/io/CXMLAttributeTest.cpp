#include "foundation/io/CXMLAttribute.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;
using namespace Orvalite::IO;

namespace
{
// Both ways of giving a value, constructing and setting, store the same text.
template <class TValue> void expectStoredAs(const char *form, TValue value, const char *text)
{
    CXMLAttribute *constructed = new CXMLAttribute("n", value);
    constructed->referenced();
    EXPECT_STREQ(text, constructed->getValue().getString()) << "constructed from " << form;
    constructed->dereference();
    CXMLAttribute assigned("n", "previous");
    assigned.setValue(value);
    EXPECT_STREQ(text, assigned.getValue().getString()) << "set from " << form;
}
} // namespace

TEST(XMLAttribute, EveryValueFormIsStoredAsItsText)
{
    expectStoredAs("text", CString("a b"), "a b");
    expectStoredAs("literal", "lit", "lit");
    expectStoredAs("null literal", static_cast<const char *>(nullptr), "");
    expectStoredAs("true", true, "True");
    expectStoredAs("false", false, "False");
    expectStoredAs("double", -2.5, "-2.500000");
    expectStoredAs("small double", 1e-7, "0.000000");
    expectStoredAs("third", 1.0 / 3, "0.333333");
    expectStoredAs("float", 0.25f, "0.250000");
    expectStoredAs("long", LONG_MIN, std::to_string(LONG_MIN).c_str());
    expectStoredAs("int", 42, "42");
}

TEST(XMLAttribute, NamesAreTrimmedWithInnerBlanksAsUnderscores)
{
    const std::pair<const char *, const char *> cases[] = {{"  two words ", "two_words"},
                                                           {"\tmy attr\r\n", "my_attr"},
                                                           {"a  b", "a__b"},
                                                           {"plain", "plain"},
                                                           {"tab\tinside", "tab\tinside"},
                                                           {"   ", ""}};
    for (const auto &[given, stored] : cases)
    {
        CXMLAttribute constructed(given, 1);
        EXPECT_STREQ(stored, constructed.getName().getString()) << "constructed with \"" << given << '"';
        CXMLAttribute renamed("x", 1);
        renamed.setName(given);
        EXPECT_STREQ(stored, renamed.getName().getString()) << "renamed to \"" << given << '"';
    }
}

// The numbers are the C library's conversions, one text per getter; only exactly "True" reads as true.
TEST(XMLAttribute, TypedReadsConvertTheText)
{
    const CXMLAttribute number("n", "-3.75");
    EXPECT_EQ(-3, number.getValueAsInt());
    EXPECT_EQ(LONG_MAX, CXMLAttribute("n", std::to_string(LONG_MAX).c_str()).getValueAsLong())
        << "a long's whole range";
    EXPECT_EQ(-3.75, number.getValueAsDouble());
    EXPECT_EQ(-3.75f, number.getValueAsFloat());
    for (const char *text : {"True", "true", "TRUE", " True", "1"})
        EXPECT_EQ(std::string(text) == "True", CXMLAttribute("n", text).getValueAsBool()) << text;
}
