#pragma once
// The shortest decimal text that reads back as the same float, as std::to_chars writes it,
// written faster for the values quote files hold: whole numbers and prices with few decimals.

#include <cstdint>
#include <cstring>

// Writes at most 32 characters at `out`; gives the end of the text.
char* PutShortestFloat(char* out, float value);

// The double nearest to the decimal that PutShortestFloat writes: 44.34f gives 44.34, not
// 44.340000152587890625. A stored price computed with is then the price the user reads (and
// another program reads from an export), not its binary neighbour.
double ShortestDecimal(float value);

// Writes exactly `count` digits of `value`, leading zeros included; gives the end of the text.
char* PutFixedDigits(char* out, std::uint64_t value, int count);

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Two digits of 0..99, leading zero included.
inline char* PutTwoDigits(char* out, unsigned value) {
    std::memcpy(out, kDigitPairs + 2 * value, 2);
    return out + 2;
}
