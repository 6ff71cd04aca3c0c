#include "effect/CVstParamSelect.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

namespace
{
std::string displayOf(const CVstParam &parameter)
{
    char text[CVstParam::TEXT_SIZE];
    parameter.getDisplay(text);
    return text;
}
} // namespace

TEST(VstParamSelect, SplitsTheValueRangeEvenlyAndClampsOutsideIt)
{
    const struct
    {
        float value;
        int index;
    } cases[] = {{0.0f, 0},  {0.49999997f, 0}, {0.5f, 1},    {1.0f, 1},    {5.0f, 1},
                 {-3.0f, 0}, {1e30f, 1},       {FLT_MAX, 1}, {-FLT_MAX, 0}};
    CVstParamSelect parameter("Grain Size", "Small", "Large");
    for (const auto &test : cases)
    {
        parameter.setValue(test.value);
        EXPECT_EQ(test.value, parameter.getValue()) << "the normalised value is kept as given";
        EXPECT_EQ(test.index, parameter.getIntValue()) << "value " << test.value;
        EXPECT_EQ(test.index == 0 ? "Small" : "Large", displayOf(parameter)) << "value " << test.value;
    }
}

TEST(VstParamSelect, NewEntriesReselectWithTheCurrentValueUpToTheStorageLimit)
{
    CVstParamSelect parameter("Mode", "A", "B");
    parameter.setValue(0.5f);
    const char *const names[] = {"Low", "Mid", "High"};
    parameter.setEntries(3, names);
    EXPECT_EQ("Mid", displayOf(parameter));

    const std::vector<const char *> many(200, "Entry");
    parameter.setEntries(200, many.data());
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES, parameter.getNumberOfEntries());
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES / 2, parameter.getIntValue());

    parameter.setEntries(-1, names);
    EXPECT_EQ(0, parameter.getIntValue());
    EXPECT_EQ("", displayOf(parameter));
}

TEST(VstParamSelect, EntryNamesAreCutAndOutOfRangeIndicesIgnored)
{
    CVstParamSelect parameter("Grain Size", "An entry name far too long to show", "Large");
    EXPECT_EQ("An entry name far too l", displayOf(parameter));

    for (const int index : {-1, 2, CVstParamSelect::MAX_ENTRIES})
    {
        parameter.setEntryName(index, "Outside");
    }
    parameter.setEntryName(1, "Huge");
    parameter.setValue(1.0f);
    EXPECT_EQ("Huge", displayOf(parameter));
    EXPECT_EQ(2, parameter.getNumberOfEntries());
}

TEST(VstParamSelect, EntryValuesAnswerTheCountCopied)
{
    std::vector<int> values(300);
    for (size_t index = 0; index < values.size(); ++index)
    {
        values[index] = static_cast<int>(index) * 10;
    }
    CVstParamSelect parameter("Mode", "A", "B");
    EXPECT_EQ(0, parameter.getSelectedEntryValue());
    EXPECT_EQ(0, parameter.setEntryValues(0, values.data()));
    EXPECT_EQ(0, parameter.setEntryValues(-4, values.data()));
    EXPECT_EQ(0, parameter.setEntryValues(3, nullptr));
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES, parameter.setEntryValues(300, values.data()));
    parameter.setValue(0.5f);
    EXPECT_EQ(10, parameter.getSelectedEntryValue());
}
