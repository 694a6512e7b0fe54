#include "platform/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000};
constexpr int kMostDecimals = 4;

char* PutUnsigned(char* out, std::uint64_t value) {
    char digits[24];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    const auto count = static_cast<std::size_t>(digits + sizeof digits - first);
    std::memcpy(out, first, count);
    return out + count;
}

// Whole numbers below 2^24 are exact floats, so their shortest form is their digits, unless
// trailing zeros make the exponent form shorter ("1e+06"); then nullptr.
char* PutWhole(char* out, std::uint32_t whole) {
    int length = 0, trailingZeros = 0;
    bool nonZeroSeen = false;
    for (std::uint32_t rest = whole; rest != 0; rest /= 10, ++length) {
        nonZeroSeen = nonZeroSeen || rest % 10 != 0;
        trailingZeros += nonZeroSeen ? 0 : 1;
    }
    const int mantissa = length - trailingZeros;
    const int exponentLength = mantissa + (mantissa > 1 ? 1 : 0) + 4;
    return length <= exponentLength ? PutUnsigned(out, whole) : nullptr;
}

// The floats next to a positive normal float, through its bits.
float Neighbour(float value, int step) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(bits) + step);
    std::memcpy(&value, &bits, 4);
    return value;
}

// Writes the decimal `digits` / 10^decimals.
char* PutScaled(char* out, std::uint64_t digits, int decimals) {
    const auto unit = static_cast<std::uint64_t>(kPowersOfTen[decimals]);
    out = PutUnsigned(out, digits / unit);
    *out++ = '.';
    return PutFixedDigits(out, digits % unit, decimals);
}

// Values from 0.001 to a million with at most four decimals. The decimal closest to the value
// with the fewest decimals is its shortest form when it rounds back to the value, which is
// checked exactly against the midpoints to the neighbouring floats (all products are exact in
// double). Anything doubtful gives nullptr.
char* PutDecimal(char* out, float magnitude) {
    const double value = magnitude;
    const double below = (value + Neighbour(magnitude, -1)) / 2;
    const double above = (value + Neighbour(magnitude, +1)) / 2;
    // The closest decimal with this many decimals: 1 when it rounds back to the value, 0 when it
    // does not, -1 when that is too close to call.
    std::uint64_t digits = 0;
    auto roundsBack = [&](int decimals) {
        const double scale = kPowersOfTen[decimals];
        const double scaled = value * scale;
        digits = static_cast<std::uint64_t>(scaled + 0.5);
        const auto nearest = static_cast<double>(digits);
        if (nearest - scaled == 0.5 || nearest == below * scale || nearest == above * scale)
            return -1;
        return nearest > below * scale && nearest < above * scale ? 1 : 0;
    };
    // Below 2^17 the floats lie closer than 0.01, so at most one number of two decimals rounds
    // to the value: most prices are settled with one try.
    if (magnitude < 131072.0f) {
        const int two = roundsBack(2);
        if (two < 0)
            return nullptr;
        if (two > 0)
            return digits % 10 == 0 ? PutScaled(out, digits / 10, 1) : PutScaled(out, digits, 2);
        for (int decimals = 3; decimals <= kMostDecimals; ++decimals)
            if (const int found = roundsBack(decimals); found != 0)
                return found > 0 ? PutScaled(out, digits, decimals) : nullptr;
        return nullptr;
    }
    for (int decimals = 1; decimals <= kMostDecimals; ++decimals)
        if (const int found = roundsBack(decimals); found != 0)
            return found > 0 ? PutScaled(out, digits, decimals) : nullptr;
    return nullptr;
}

} // namespace

char* PutShortestFloat(char* out, float value) {
    if (std::isfinite(value) && value != 0) {
        const float magnitude = std::fabs(value);
        char* digits = out + (value < 0 ? 1 : 0);
        char* end = nullptr;
        if (magnitude < 16777216.0f && magnitude == std::trunc(magnitude))
            end = PutWhole(digits, static_cast<std::uint32_t>(magnitude));
        else if (magnitude >= 0.001f && magnitude < 1e6f)
            end = PutDecimal(digits, magnitude);
        if (end) {
            if (value < 0)
                *out = '-';
            return end;
        }
    }
    return std::to_chars(out, out + 32, value).ptr;
}

char* PutFixedDigits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}
