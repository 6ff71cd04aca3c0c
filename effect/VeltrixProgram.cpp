#include "effect/VeltrixProgram.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>

namespace Orvalite::Veltrix
{
VeltrixProgram::VeltrixProgram()
{
    std::fill(std::begin(m_halfB), std::end(m_halfB), 1.0f);
    std::fill(std::begin(m_unusedFloatsOne), std::end(m_unusedFloatsOne), 1.0f);
}

bool VeltrixProgram::hasValidHeader(const void *data, size_t size)
{
    if (!data || size < MAGIC_SIZE + 1)
    {
        return false;
    }
    const auto *bytes = static_cast<const unsigned char *>(data);
    return std::memcmp(bytes, MAGIC, MAGIC_SIZE) == 0 && bytes[MAGIC_SIZE] == FORMAT_VERSION;
}

bool VeltrixProgram::admitValue(float &value)
{
    if (!std::isfinite(value))
    {
        return false;
    }
    value = std::clamp(value, 0.0f, 1.0f);
    return true;
}

bool VeltrixProgram::holdsAdmissibleValues(const void *record)
{
    const auto *bytes = static_cast<const unsigned char *>(record);
    for (const size_t half : {offsetof(VeltrixProgram, m_halfA), offsetof(VeltrixProgram, m_halfB)})
    {
        for (int entry = 0; entry < NUMBER_OF_PARAMETERS; ++entry)
        {
            float value = 0.0f;
            std::memcpy(&value, bytes + half + sizeof(float) * static_cast<size_t>(entry), sizeof(value));
            if (!admitValue(value))
            {
                return false;
            }
        }
    }
    return true;
}

void VeltrixProgram::admitValues()
{
    for (float *half : {m_halfA, m_halfB})
    {
        std::for_each(half, half + NUMBER_OF_PARAMETERS, [](float &value) { admitValue(value); });
    }
}

void VeltrixProgram::getName(char *text) const
{
    if (text)
    {
        const size_t length = strnlen(m_name, NAME_SIZE - 1);
        std::memcpy(text, m_name, length);
        text[length] = '\0';
    }
}

void VeltrixProgram::setName(const char *text)
{
    if (text)
    {
        std::memset(m_name, 0, NAME_SIZE);
        std::memcpy(m_name, text, strnlen(text, NAME_SIZE - 1));
    }
}

float VeltrixProgram::getLiveValue(int32_t selector, int entry) const
{
    if (entry < 0 || entry >= HALF_SIZE)
    {
        return 0.0f;
    }
    return selector == 0 ? m_halfA[entry] : m_halfB[entry];
}

void VeltrixProgram::setLiveValue(int32_t selector, int entry, float value)
{
    if (entry >= 0 && entry < HALF_SIZE)
    {
        (selector == 0 ? m_halfA : m_halfB)[entry] = value;
    }
}
} // namespace Orvalite::Veltrix
