#include "platform/FloatText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string Reference(float value) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Fast(float value) {
    char text[64];
    return std::string(text, PutShortestFloat(text, value));
}

// Every text must be the one std::to_chars writes, which reads back as the same float.
void ExpectSameAsToChars(float value) {
    ASSERT_EQ(Fast(value), Reference(value)) << "bits " << std::hex << [&] {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        return bits;
    }();
}

TEST(FloatTextTest, PricesWithFewDecimals) {
    for (int cents = 0; cents < 3000000; ++cents) {
        ExpectSameAsToChars(static_cast<float>(cents) / 100.0f);
        ExpectSameAsToChars(static_cast<float>(cents / 100.0));
    }
    for (int tenThousandths = 0; tenThousandths < 2000000; tenThousandths += 3)
        ExpectSameAsToChars(static_cast<float>(tenThousandths / 10000.0));
}

TEST(FloatTextTest, WholeNumbersAndTheirExponentForms) {
    for (int whole = -20000; whole < 20000; ++whole)
        ExpectSameAsToChars(static_cast<float>(whole));
    for (float value : {1e6f, 1e7f, 10000.0f, 100000.0f, 1200000.0f, 16777215.0f, 16777216.0f, 3e9f,
                        -1.0f, 0.0f, -0.0f, 0.001f, 0.0009999f, 999999.94f, 1e6f})
        ExpectSameAsToChars(value);
}

TEST(FloatTextTest, AnyBitPattern) {
    std::mt19937 random(20261207);
    for (int i = 0; i < 2000000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        float value;
        std::memcpy(&value, &bits, 4);
        ExpectSameAsToChars(value);
    }
    // Values near the ends of the fast ranges, bit by bit.
    for (float start : {0.001f, 1e6f, 16777216.0f, 1.0f, 0.5f, 1024.0f}) {
        float value = start;
        for (int i = 0; i < 2000; ++i, value = std::nextafter(value, 0.0f))
            ExpectSameAsToChars(value);
        value = start;
        for (int i = 0; i < 2000; ++i, value = std::nextafter(value, 1e30f))
            ExpectSameAsToChars(value);
    }
}

// The decimal a float shows, as a double: the same as reading its text back.
TEST(FloatTextTest, ShortestDecimalIsTheTextReadBack) {
    auto expectReadBack = [](float value) {
        const std::string text = Reference(value);
        double read = 0;
        std::from_chars(text.data(), text.data() + text.size(), read);
        ASSERT_EQ(ShortestDecimal(value), read) << text;
    };
    for (int cents = -300000; cents < 3000000; cents += 7)
        expectReadBack(static_cast<float>(cents / 100.0));
    std::mt19937 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        float value;
        std::memcpy(&value, &bits, 4);
        if (std::isfinite(value))
            expectReadBack(value);
    }
    EXPECT_EQ(ShortestDecimal(44.34f), 44.34);
}

} // namespace
