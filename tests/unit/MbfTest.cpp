#include "quotes/Mbf.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

std::uint32_t IeeeBits(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    const std::uint8_t mbf[4] = {b0, b1, b2, b3};
    std::uint32_t bits;
    MbfToIeee(mbf, &bits);
    return bits;
}

TEST(MbfTest, ConvertsTheFormatsExamples) {
    EXPECT_EQ(IeeeBits(0x00, 0x00, 0x00, 0x81), 0x3F800000u); // 1.0
    EXPECT_EQ(IeeeBits(0x00, 0x00, 0x80, 0x81), 0xBF800000u); // -1.0
    EXPECT_EQ(IeeeBits(0x00, 0x00, 0x00, 0x00), 0u);
    EXPECT_EQ(IeeeBits(0x12, 0x34, 0x56, 0x00), 0u); // exponent 0 is zero whatever the rest
    EXPECT_EQ(IeeeBits(0xB0, 0x0A, 0x6D, 0x94), 0x496D0AB0u); // 970923.0
}

TEST(MbfTest, ConvertsInPlace) {
    std::uint8_t bytes[4] = {0x00, 0x00, 0x20, 0x84}; // 10.0
    MbfToIeee(bytes, bytes);
    float value;
    std::memcpy(&value, bytes, 4);
    EXPECT_EQ(value, 10.0f);
}

TEST(MbfTest, WriterRoundTrips) {
    for (float value : {0.0f, 1.0f, -1.0f, 0.05f, 12.375f, 970314.0f, 1030214.0f, 250000.0f,
                        -3.14159f, 1e-20f, 1e20f}) {
        std::uint8_t mbf[4];
        IeeeToMbf(value, mbf);
        EXPECT_EQ(MbfToFloat(mbf), value);
    }
}

} // namespace
