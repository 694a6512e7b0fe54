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
    std::uint8_t out[4] = {0, 0, 0, 0};
    if (b[3] != 0) {
        const auto e = static_cast<std::uint8_t>(b[3] - 2);
        out[0] = b[0];
        out[1] = b[1];
        out[2] = static_cast<std::uint8_t>((b[2] & 0x7F) | ((e & 1) << 7));
        out[3] = static_cast<std::uint8_t>((b[2] & 0x80) | (e >> 1));
    }
    std::memcpy(destination, out, 4);
}

// Reads 4 MBF bytes as a float.
inline float MbfToFloat(const void* source) {
    float value;
    MbfToIeee(source, &value);
    return value;
}
