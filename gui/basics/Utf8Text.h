// UTF-8 text walked by code points: where the one before or after an offset
// starts, how many a text holds, and how one is written. A byte that starts
// no valid sequence counts as one code point of its own, so a walk never
// stops inside a well-formed character and never loops on a bad one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Orvalite::GUI::Basics
{
// The offset just after the code point starting at `offset` (the end stays the end).
size_t nextCodePointOffset(const std::string &text, size_t offset);
// The offset where the code point ending at `offset` starts (0 stays 0).
size_t previousCodePointOffset(const std::string &text, size_t offset);
size_t countCodePoints(const std::string &text);
// The code point starting at `offset`; a bad byte reads as itself.
uint32_t codePointAt(const std::string &text, size_t offset);
// Appends the UTF-8 form; surrogates and values past U+10FFFF append nothing.
void appendCodePoint(std::string &text, uint32_t codePoint);
} // namespace Orvalite::GUI::Basics
