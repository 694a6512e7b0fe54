#pragma once
// The shortest decimal text that reads back as the same float, as std::to_chars writes it,
// written faster for the values quote files hold: whole numbers and prices with few decimals.

#include <cstdint>

// Writes at most 32 characters at `out`; gives the end of the text.
char* PutShortestFloat(char* out, float value);

// Writes exactly `count` digits of `value`, leading zeros included; gives the end of the text.
char* PutFixedDigits(char* out, std::uint64_t value, int count);
