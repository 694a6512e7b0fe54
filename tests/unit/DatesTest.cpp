#include "quotes/Dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct StoredDate {
    float stored;
    int dayNumber;
};

TEST(DatesTest, StoredDatesGiveDayNumbers) {
    const StoredDate cases[] = {
        {491231, 32507},                                     // six digits below 60 are 2000..2059
        {970314, 13222},                                     // six digits from 60 are 1960..1999
        {1030214, 15385},                                    // 1YYMMDD
        {450101, 30682},  {990101, 13880}, {1000301, 14305}, // counts the leap day of 2000
        {610101, 1},
    };
    for (const StoredDate& c : cases)
        EXPECT_EQ(YymmddToDay(c.stored), c.dayNumber) << c.stored;
    EXPECT_EQ(YmdToDay(2000, 3, 1), 14305);
    EXPECT_EQ(YmdToDay(100, 3, 1), 14305);
    EXPECT_EQ(YmdToDay(2050, 9, 17), 32767);
}

// The whole-number shortcut must agree with the float arithmetic of stored dates everywhere.
std::int16_t FloatYymmddToDay(float v) {
    if (static_cast<int>(v / 10000) < 60)
        v += 1000000.0f;
    const auto year = static_cast<int>(v / 10000);
    const float rest = v - static_cast<float>(year) * 10000;
    const auto month = static_cast<int>(rest / 100);
    const auto day = static_cast<int>(rest - static_cast<float>(month) * 100);
    return YmdToDay(year, month, day);
}

TEST(DatesTest, WholeStoredDatesMatchTheFloatArithmetic) {
    for (int stored = 0; stored < 6000000; stored += 1) {
        const float value = static_cast<float>(stored);
        const int month = static_cast<int>(value) / 100 % 100;
        if (month >= 1 && month <= 12) {
            ASSERT_EQ(YymmddToDay(value), FloatYymmddToDay(value)) << stored;
        }
    }
    for (float value : {970314.5f, 1030214.25f, 6000001.0f, 9991231.0f})
        EXPECT_EQ(YymmddToDay(value), FloatYymmddToDay(value)) << value;
}

TEST(DatesTest, ValuesThatNameNoMonthGiveNoDate) {
    const float bad[] = {0.0f,
                         -1.0f,
                         991399.0f,
                         1031300.0f,
                         1e30f,
                         -1e30f,
                         std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity()};
    for (float value : bad)
        EXPECT_EQ(YymmddToDay(value), 0) << value;
    EXPECT_EQ(YmdToDay(103, 0, 1), 0);
    EXPECT_EQ(YmdToDay(103, 13, 1), 0);
}

TEST(DatesTest, TimesCountTwoSecondUnits) {
    EXPECT_EQ(HhmmssToTime(93000), 17100);
    EXPECT_EQ(HhmmssToTime(120000), 21600);
    EXPECT_EQ(static_cast<std::uint16_t>(HhmmssToTime(235959)), 43199);
    EXPECT_EQ(HhmmssToTime(-1.0f), 0);
    EXPECT_EQ(HhmmssToTime(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(HmsToTime(0, 0, 3), 1);
}

TEST(DatesTest, DayNumbersGiveCalendarDates) {
    struct Case {
        int n, year, month, day;
    };
    const Case cases[] = {{1, 61, 1, 1},       {365, 61, 12, 31},   {1461, 64, 12, 31},
                          {1462, 65, 1, 1},    {15385, 103, 2, 14}, {14305, 100, 3, 1},
                          {14304, 100, 2, 29}, {32767, 150, 9, 17}};
    for (const Case& c : cases) {
        int year = 0, month = 0, day = 0;
        DayToYmd(static_cast<std::uint16_t>(c.n), year, month, day);
        EXPECT_EQ(year, c.year) << c.n;
        EXPECT_EQ(month, c.month) << c.n;
        EXPECT_EQ(day, c.day) << c.n;
    }
}

TEST(DatesTest, DayToYmdInvertsYmdToDayOverTheWholeRange) {
    for (int n = 1; n <= 65535; ++n) {
        int year = 0, month = 0, day = 0;
        DayToYmd(static_cast<std::uint16_t>(n), year, month, day);
        ASSERT_GE(month, 1) << n;
        ASSERT_LE(month, 12) << n;
        ASSERT_GE(day, 1) << n;
        ASSERT_LE(day, 31) << n;
        ASSERT_EQ(static_cast<std::uint16_t>(YmdToDay(year, month, day)), n);
    }
}

TEST(DatesTest, FormatDateLayouts) {
    const char* expected[] = {"",         "03/02/14",   "2003/02/14", "02/14/03", "02/14/2003",
                              "14/02/03", "14/02/2003", "030214",     "20030214", "021403",
                              "02142003", "140203",     "14022003",   ""};
    for (int mode = 0; mode <= 13; ++mode)
        EXPECT_EQ(std::string(FormatDate(15385, mode, '/')), expected[mode]) << mode;
    EXPECT_STREQ(FormatDate(15385, 4, '-'), "02-14-2003");
    EXPECT_STREQ(FormatDate(0, 1, '/'), "00/00/00");
    EXPECT_STREQ(FormatDate(0, 2, '/'), "0000/00/00");
    EXPECT_STREQ(FormatDate(13222, 8, ' '), "19970314");
    EXPECT_STREQ(FormatDate(13222, 9, ' '), "031497");
}

} // namespace
