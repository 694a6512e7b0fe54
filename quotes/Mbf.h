#pragma once
// Microsoft Binary Format singles, the number encoding of every MetaStock file.
//   byte 3  exponent (0 means the value zero)
//   byte 2  bit 7 sign, bits 0..6 the top of the mantissa
//   byte 1, byte 0  the rest of the mantissa

#include <cstdint>
#include <cstring>

// Writes the IEEE form of the 4 bytes at `source` into the 4 bytes at `destination`; the two may
// be the same bytes. Inline: price files hold millions of these.
inline void MbfToIeee(const void* source, void* destination) {
    std::uint8_t b[4];
    std::memcpy(b, source, 4);
    const std::uint32_t mbf = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24);
    // As one word: the mantissa stays, the sign moves from bit 23 to bit 31 and the exponent,
    // less 2 (modulo 256), from bits 24..31 to bits 23..30.
    std::uint32_t ieee = 0;
    if (b[3] != 0)
        ieee = (mbf & 0x7FFFFFu) | ((mbf & 0x800000u) << 8) | (((mbf >> 24) - 2) & 0xFFu) << 23;
    const std::uint8_t out[4] = {std::uint8_t(ieee), std::uint8_t(ieee >> 8),
                                 std::uint8_t(ieee >> 16), std::uint8_t(ieee >> 24)};
    std::memcpy(destination, out, 4);
}

// Reads 4 MBF bytes as a float.
inline float MbfToFloat(const void* source) {
    float value;
    MbfToIeee(source, &value);
    return value;
}
