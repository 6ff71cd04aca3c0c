// NAME=VALUE requests resolved against the built plug-in through its binary interface.
#include "tools/zelo/CParameterAssignment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace Zelo::Tools
{
namespace
{
class ParameterAssignment : public testing::Test
{
protected:
    ParameterAssignment() : m_instance(std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH)) { m_instance.open(); }

    CPluginInstance m_instance;
};

TEST_F(ParameterAssignment, ValuesInTheParametersOwnUnitsShowThemselvesBack)
{
    struct Case
    {
        const char *request;
        const char *display;
    };
    const Case cases[] = {
        {"Delay One=35", "35.00"},       {"Sync Audio=On", "On"},         {"sync audio=off", "Off"},
        {"Grain Size=Large", "Large"},   {"Grain Size=small", "Small"},   {"Master=-6 dB", "-6.000"},
        {"Pitch Two=-12.5", "-12.50"},   {"Lfo Rate One=2.5Hz", "2.500"}, {"FeedBack One=100", "100.0"},
        {"  Dry Gain = -40 ", "-40.00"},
    };
    for (const Case &test : cases)
    {
        const CParameterAssignment::Resolved resolved = CParameterAssignment(test.request).resolve(m_instance);
        m_instance.setParameter(resolved.index, resolved.value);
        EXPECT_EQ(m_instance.parameterDisplay(resolved.index), test.display) << test.request;
    }
}

TEST_F(ParameterAssignment, SwitchesGetExactlyTheEndsOfTheRange)
{
    EXPECT_EQ(CParameterAssignment("Sync Audio=On").resolve(m_instance).value, 1.0f);
    EXPECT_EQ(CParameterAssignment("Sync Audio=Off").resolve(m_instance).value, 0.0f);
}

TEST_F(ParameterAssignment, ResolvingLeavesTheParameterAsFound)
{
    m_instance.setParameter(9, 0.25f);
    CParameterAssignment("Delay One=90").resolve(m_instance);
    EXPECT_EQ(m_instance.getParameter(9), 0.25f);
    EXPECT_THROW(CParameterAssignment("Delay One=900").resolve(m_instance), std::runtime_error);
    EXPECT_EQ(m_instance.getParameter(9), 0.25f);
}

TEST_F(ParameterAssignment, BadRequestsNameTheParameterAndWhatItAccepts)
{
    struct Case
    {
        const char *request;
        const char *expected;
    };
    const Case cases[] = {
        {"Delay One=19", "Delay One\": 19 is out of range 20.00 to 100.0 ms"},
        {"Delay One=101", "Delay One\": 101 is out of range 20.00 to 100.0 ms"},
        {"Delay One=long", "\"long\" is not a number"},
        {"Grain Size=Huge", "\"Huge\" is not one of Small, Large"},
        {"Wobble=3", "unknown parameter \"Wobble\""},
    };
    for (const Case &test : cases)
    {
        try
        {
            CParameterAssignment(test.request).resolve(m_instance);
            ADD_FAILURE() << test.request << " was accepted";
        }
        catch (const std::runtime_error &error)
        {
            EXPECT_NE(std::string(error.what()).find(test.expected), std::string::npos)
                << test.request << " gave: " << error.what();
        }
    }
    EXPECT_THROW(CParameterAssignment("Delay One 35"), std::invalid_argument);
    EXPECT_THROW(CParameterAssignment("=35"), std::invalid_argument);
}
} // namespace
} // namespace Zelo::Tools
