#include "cli/ExportRows.h"
#include "chart/QuoteText.h"
#include "platform/TextEncoding.h"
#include "quotes/Dates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The text of a stored date, with "*" after one that is no calendar day as stored.
std::string Date(float stored) {
    char text[64];
    bool calendar = false;
    const std::string date(text, PutStoredDate(text, stored, calendar));
    return calendar ? date : date + "*";
}

std::string Time(float stored) {
    char text[64];
    return std::string(text, PutStoredTime(text, stored));
}

// Dates read as the chart reads them, through their day numbers: a day past the month's end runs
// into the next month, a month past December gives no date at all.
TEST(ExportRowsTest, StoredDatesAndTimesAsTheyRead) {
    const struct {
        float stored;
        const char* text;
    } dates[] = {{970314, "1997-03-14"},
                 {1030214, "2003-02-14"},
                 {491231, "2049-12-31"},
                 {1131115, "2013-11-15"},
                 {1391231, "2039-12-31"},
                 {2391231, "2139-12-31"},
                 {1000229, "2000-02-29"},
                 {1030231, "2003-03-03*"},
                 {990230, "1999-03-02*"},
                 {1031345, "*"},
                 {1031301, "*"},
                 {0, "*"},
                 {-1, "*"},
                 {970314.5f, "1997-03-14*"},
                 {1040229, "2004-02-29"}};
    for (const auto& d : dates)
        EXPECT_EQ(Date(d.stored), d.text) << d.stored;
    EXPECT_EQ(Time(90500), "09:05:00");
    EXPECT_EQ(Time(0), "00:00:00");
    EXPECT_EQ(Time(235959), "23:59:59");
    EXPECT_EQ(Time(96000), "96000");
    EXPECT_EQ(Time(-1), "-1");
}

// Calendar days are written without the detour through day numbers; the detour gives the same.
TEST(ExportRowsTest, EveryCalendarDayReadsAsTheChartShowsIt) {
    for (int year = 1961; year <= 2139; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                const float stored = float((year - 1900) * 10000 + month * 100 + day);
                char chart[16];
                const std::string shown(chart, PutIsoDate(chart, YymmddToDay(stored)));
                ASSERT_EQ(Date(stored), shown) << stored;
            }
}

TEST(ExportRowsTest, CsvFieldsAreQuotedOnlyWhenTheyMustBe) {
    const struct {
        std::string text, field;
    } cases[] = {{"ACME", "ACME"},
                 {"A B", "A B"},
                 {"A,B", "\"A,B\""},
                 {"6\" PIPE", "\"6\"\" PIPE\""},
                 {"LINE\nTWO", "\"LINE\nTWO\""},
                 {"", ""}};
    for (const auto& c : cases) {
        std::string out;
        AppendCsvField(out, c.text);
        EXPECT_EQ(out, c.field);
    }
}

TEST(ExportRowsTest, NamesAreDecodedFromWindows1252) {
    EXPECT_EQ(Windows1252ToUtf8("utilit\xE0"), "utilit\u00E0");
    EXPECT_EQ(Windows1252ToUtf8("\x80 \x9F \xFF"), "\u20AC \u0178 \u00FF");
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\u0081"); // undefined in Windows-1252: kept
    EXPECT_EQ(Windows1252ToUtf8("ASCII stays"), "ASCII stays");
}

} // namespace
