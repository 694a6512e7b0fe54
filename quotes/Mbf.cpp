#include "quotes/Mbf.h"

#include <cstdint>
#include <cstring>

void MbfToIeee(const void* source, void* destination) {
    std::uint8_t b[4];
    std::memcpy(b, source, 4);
    std::uint8_t out[4] = {0, 0, 0, 0};
    if (b[3] != 0) {
        const auto e = static_cast<std::uint8_t>(b[3] - 2);
        const auto sign = static_cast<std::uint8_t>(b[2] & 0x80);
        out[0] = b[0];
        out[1] = b[1];
        out[2] = static_cast<std::uint8_t>((b[2] & 0x7F) | ((e & 1) << 7));
        out[3] = static_cast<std::uint8_t>(sign | (e >> 1));
    }
    std::memcpy(destination, out, 4);
}

float MbfToFloat(const void* source) {
    float value;
    MbfToIeee(source, &value);
    return value;
}
