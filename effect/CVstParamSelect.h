// A parameter that picks one of a list of named entries ("Small"/"Large",
// "Off"/"On"); the normalised range is split evenly between the entries.
#pragma once

#include "effect/CVstParam.h"

#include <cstdint>

class CVstParamSelect : public CVstParam
{
public:
    static constexpr int MAX_ENTRIES = 128;

    // Two entries, the first selected, label " ". Null entry names are taken as empty.
    CVstParamSelect(const char *name, const char *firstEntry, const char *secondEntry);
    ~CVstParamSelect() override = default;

    // Selects entry trunc(entry count × value), clamped to the entries; the
    // normalised value is kept as given. A non-finite value is ignored.
    void setValue(float value) override;
    // The selected entry's name; empty when there are no entries.
    void getDisplay(char *text) const override;
    // The selected index.
    double getRealValue() const override;
    int getIntValue() const override;

    // Replaces the entries with `count` names (clamped to 0 … MAX_ENTRIES; a
    // null array gives empty names) and selects again with the current value.
    virtual void setEntries(int count, const char *const *names);
    // Ignored for an index outside the current entries.
    virtual void setEntryName(int index, const char *name);
    // Copies `count` values clamped to 0 … MAX_ENTRIES and answers that count;
    // 0, copying nothing, when it is below 1 or `values` is null.
    virtual int setEntryValues(int count, const int *values);
    virtual int getSelectedEntryValue() const;

    int getNumberOfEntries() const { return m_numberOfEntries; }

    ORVALITE_CLASS_RECORD(CVstParamSelect)

private:
    int32_t m_numberOfEntries = 0;
    char m_entryNames[MAX_ENTRIES][TEXT_SIZE] = {};
    int32_t m_selectedIndex = 0;
    int32_t m_entryValues[MAX_ENTRIES] = {};
};
