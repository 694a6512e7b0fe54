#include "platform/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000};
constexpr int kMostDecimals = 4;

char* PutPair(char* out, unsigned value) {
    std::memcpy(out, kDigitPairs + 2 * value, 2);
    return out + 2;
}

// One or two digits of 0..99.
char* PutUpToTwo(char* out, unsigned value) {
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    return PutPair(out, value);
}

char* PutFour(char* out, unsigned value) {
    return PutPair(PutPair(out, value / 100), value % 100);
}

// The digits of `value`, two at a time, by its size: quote values have up to eight digits, and
// a branch on the size costs less than counting the digits first.
char* PutUnsigned(char* out, std::uint64_t value) {
    if (value < 100)
        return PutUpToTwo(out, static_cast<unsigned>(value));
    if (value < 10000) {
        const auto small = static_cast<unsigned>(value);
        return PutPair(PutUpToTwo(out, small / 100), small % 100);
    }
    if (value < 1000000) {
        const auto middle = static_cast<unsigned>(value);
        return PutFour(PutUpToTwo(out, middle / 10000), middle % 10000);
    }
    if (value < 100000000) {
        const auto large = static_cast<unsigned>(value);
        out = PutUpToTwo(out, large / 1000000);
        return PutFour(PutPair(out, large / 10000 % 100), large % 10000);
    }
    out = PutUnsigned(out, value / 100000000);
    const auto low = static_cast<unsigned>(value % 100000000);
    return PutFour(PutFour(out, low / 10000), low % 10000);
}

// Whole numbers below 2^24 are exact floats, so their shortest form is their digits, unless
// trailing zeros make the exponent form shorter ("1e+06"); then nullptr.
char* PutWhole(char* out, std::uint32_t whole) {
    if (whole % 10 != 0)
        return PutUnsigned(out, whole);
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
        if (two > 0) {
            out = PutUnsigned(out, digits / 100);
            *out++ = '.';
            const auto cents = static_cast<unsigned>(digits % 100);
            if (cents % 10 == 0) {
                *out++ = static_cast<char>('0' + cents / 10);
                return out;
            }
            return PutPair(out, cents);
        }
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

// Prices from 1 to 2^17 that a decimal of one or two places reads back as, which is most of what
// quote files hold. Below 2^17 floats lie closer than 0.01, so at most one such decimal is near
// enough, and it is the value rounded to cents. With the value as `significand` units of
// 2^-shift, the cents c are near enough when |c * 2^shift - 100 * significand| < 50, half a unit
// in cents: all in integers, exactly. nullptr for anything else.
char* PutCents(char* out, std::uint32_t significand, int shift) {
    const std::uint64_t hundredfold = std::uint64_t(100) * significand;
    const std::uint64_t cents = (hundredfold + (std::uint64_t(1) << (shift - 1))) >> shift;
    const std::uint64_t back = cents << shift;
    const std::uint64_t distance = back > hundredfold ? back - hundredfold : hundredfold - back;
    if (distance >= 50 || cents % 100 == 0)
        return nullptr;
    out = PutUnsigned(out, cents / 100);
    *out++ = '.';
    const auto fraction = static_cast<unsigned>(cents % 100);
    if (fraction % 10 == 0) {
        *out++ = static_cast<char>('0' + fraction / 10);
        return out;
    }
    return PutPair(out, fraction);
}

} // namespace

char* PutShortestFloat(char* out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    // Zero fills whole columns (open interest, volume) of many files.
    if ((bits & 0x7FFFFFFFu) == 0) {
        if (bits != 0)
            *out++ = '-';
        *out = '0';
        return out + 1;
    }
    const std::uint32_t magnitudeBits = bits & 0x7FFFFFFFu;
    const int exponent = static_cast<int>(magnitudeBits >> 23) - 127;
    char* digits = out + (bits >> 31);
    char* end = nullptr;
    // Whole numbers and prices from 1 to 2^24, by the bits of the value.
    if (exponent >= 0 && exponent < 24) {
        const std::uint32_t significand = (magnitudeBits & 0x7FFFFFu) | 0x800000u;
        const int fractionBits = 23 - exponent;
        float magnitude;
        std::memcpy(&magnitude, &magnitudeBits, 4);
        if ((significand & ((1u << fractionBits) - 1)) == 0) {
            end = PutWhole(digits, significand >> fractionBits);
        } else {
            if (exponent < 17)
                end = PutCents(digits, significand, fractionBits);
            if (!end && magnitude < 1e6f)
                end = PutDecimal(digits, magnitude);
        }
    } else if (exponent >= -10 && exponent < 0) {
        float magnitude;
        std::memcpy(&magnitude, &magnitudeBits, 4);
        if (magnitude >= 0.001f)
            end = PutDecimal(digits, magnitude);
    }
    if (end) {
        if (bits >> 31)
            *out = '-';
        return end;
    }
    return std::to_chars(out, out + 32, value).ptr;
}

double ShortestDecimal(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    const std::uint32_t magnitudeBits = bits & 0x7FFFFFFFu;
    const int exponent = static_cast<int>(magnitudeBits >> 23) - 127;
    if (magnitudeBits == 0 || !std::isfinite(value))
        return value;
    // Whole numbers are their own decimal; prices of cents below 2^17 are cents / 100, which the
    // division rounds to the nearest double.
    if (exponent >= 0 && exponent < 24) {
        const std::uint32_t significand = (magnitudeBits & 0x7FFFFFu) | 0x800000u;
        const int shift = 23 - exponent;
        if ((significand & ((1u << shift) - 1)) == 0)
            return value;
        if (exponent < 17) {
            const std::uint64_t hundredfold = std::uint64_t(100) * significand;
            const std::uint64_t cents = (hundredfold + (std::uint64_t(1) << (shift - 1))) >> shift;
            const std::uint64_t back = cents << shift;
            const std::uint64_t distance =
                back > hundredfold ? back - hundredfold : hundredfold - back;
            if (distance < 50) {
                const double decimal = static_cast<double>(cents) / 100;
                return bits >> 31 ? -decimal : decimal;
            }
        }
    }
    char text[32];
    char* end = PutShortestFloat(text, value);
    double decimal = value;
    std::from_chars(text, end, decimal);
    return decimal;
}

char* PutFixedDigits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}
