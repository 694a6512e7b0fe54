#include "quotes/QuoteBuffer.h"
#include "quotes/MovingAverage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(QuoteBufferTest, SmallBuffersInterleaveLargeOnesKeepColumnsApart) {
    QuoteBuffer buffer{};
    ASSERT_EQ(AllocQuoteBuffer(buffer, 2321), kStatusSuccess);
    EXPECT_EQ(buffer.open.nStride, 7);
    EXPECT_EQ(buffer.date.nStride, 14);
    EXPECT_EQ(buffer.time.nOffset, 1);
    EXPECT_EQ(buffer.openInterest.nOffset, 6);
    EXPECT_EQ(buffer.close.pData, buffer.date.pData);
    FreeQuoteBuffer(buffer);

    ASSERT_EQ(AllocQuoteBuffer(buffer, 2322), kStatusSuccess);
    EXPECT_EQ(buffer.open.nStride, 1);
    EXPECT_EQ(buffer.date.nStride, 2);
    EXPECT_NE(buffer.close.pData, buffer.open.pData);
    EXPECT_EQ(buffer.count, 2322);
    EXPECT_EQ(buffer.capacity, 2322);
    EXPECT_EQ(buffer.high.nRows, 2322);
    FreeQuoteBuffer(buffer);
}

TEST(QuoteBufferTest, ColumnsOfOneRowDoNotOverlap) {
    for (int rows : {3, 3000}) {
        QuoteBuffer buffer{};
        ASSERT_EQ(AllocQuoteBuffer(buffer, rows), kStatusSuccess);
        const int last = rows - 1;
        buffer.date.Number(last) = 111;
        buffer.time.Number(last) = 222;
        float value = 1;
        for (QuoteColumn* column : {&buffer.open, &buffer.high, &buffer.low, &buffer.close,
                                    &buffer.volume, &buffer.openInterest})
            column->Value(last) = value++;
        EXPECT_EQ(buffer.date.Number(last), 111);
        EXPECT_EQ(buffer.time.Number(last), 222);
        EXPECT_EQ(buffer.open.Value(last), 1);
        EXPECT_EQ(buffer.openInterest.Value(last), 6);
        EXPECT_EQ(buffer.close.Value(last - 1), 0); // zero-filled
        FreeQuoteBuffer(buffer);
    }
}

TEST(QuoteBufferTest, FreeingZeroesEverything) {
    QuoteBuffer buffer{};
    ASSERT_EQ(AllocQuoteBuffer(buffer, 10), kStatusSuccess);
    FreeQuoteBuffer(buffer);
    EXPECT_EQ(buffer.capacity, 0);
    EXPECT_EQ(buffer.date.pData, nullptr);
    EXPECT_EQ(buffer.open.nStride, 0);
    EXPECT_EQ(FreeQuoteBuffer(buffer), kStatusSuccess); // freeing twice is harmless
}

TEST(QuoteBufferTest, RowCountsBeyondTheCapacityAreRefused) {
    QuoteBuffer buffer{};
    ASSERT_EQ(AllocQuoteBuffer(buffer, 10), kStatusSuccess);
    EXPECT_EQ(SetQuoteCount(buffer, 4), kStatusSuccess);
    EXPECT_EQ(buffer.count, 4);
    EXPECT_EQ(buffer.volume.nRows, 4);
    EXPECT_EQ(SetQuoteCount(buffer, 11), kStatusMalloc);
    EXPECT_EQ(buffer.count, 4);
    FreeQuoteBuffer(buffer);

    EXPECT_EQ(AllocQuoteBuffer(buffer, -1), kStatusMalloc);
    EXPECT_EQ(buffer.capacity, 0);
    EXPECT_EQ(AllocQuoteBuffer(buffer, 40000), kStatusMalloc);
}

class MovingAverageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(AllocColumn(m_source, 10), kStatusSuccess);
        ASSERT_EQ(AllocColumn(m_average, 10), kStatusSuccess);
    }
    void TearDown() override {
        FreeColumn(m_source);
        FreeColumn(m_average);
    }
    void Fill(const std::vector<float>& values) {
        for (int i = 0; i < 10; ++i)
            m_average.Value(i) = -7;
        for (std::size_t i = 0; i < values.size(); ++i)
            m_source.Value(static_cast<int>(i)) = values[i];
        m_source.nRows = static_cast<std::int16_t>(values.size());
    }
    std::vector<float> Average(std::size_t rows) {
        std::vector<float> result;
        for (std::size_t i = 0; i < rows; ++i)
            result.push_back(m_average.Value(static_cast<int>(i)));
        return result;
    }
    QuoteColumn m_source{}, m_average{};
};

TEST_F(MovingAverageTest, TrailingSimpleAverage) {
    Fill({1, 2, 3, 4, 5});
    MovingAverage(m_source, m_average, 3, 0);
    EXPECT_EQ(Average(6), (std::vector<float>{0, 0, 2, 3, 4, -7}));
}

TEST_F(MovingAverageTest, StartsAtTheGivenRow) {
    Fill({9, 9, 1, 2, 3, 4});
    MovingAverage(m_source, m_average, 2, 2);
    EXPECT_EQ(Average(6), (std::vector<float>{-7, -7, 0, 1.5f, 2.5f, 3.5f}));
}

TEST_F(MovingAverageTest, PeriodsLongerThanTheDataGiveZeros) {
    Fill({1, 2, 3});
    MovingAverage(m_source, m_average, 5, 0);
    EXPECT_EQ(Average(4), (std::vector<float>{0, 0, 0, -7}));
}

TEST_F(MovingAverageTest, PeriodOneCopiesAndBadPeriodsChangeNothing) {
    Fill({4, 5, 6});
    MovingAverage(m_source, m_average, 1, 0);
    EXPECT_EQ(Average(3), (std::vector<float>{4, 5, 6}));
    Fill({4, 5, 6});
    MovingAverage(m_source, m_average, 0, 0);
    MovingAverage(m_source, m_average, -3, 0);
    EXPECT_EQ(Average(3), (std::vector<float>{-7, -7, -7}));
}

} // namespace
