#include "cli/ExportRows.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Date(float stored) {
    char text[64];
    return std::string(text, PutStoredDate(text, stored));
}

std::string Time(float stored) {
    char text[64];
    return std::string(text, PutStoredTime(text, stored));
}

TEST(ExportRowsTest, StoredDatesAndTimesAsTheyRead) {
    EXPECT_EQ(Date(970314), "1997-03-14");
    EXPECT_EQ(Date(1030214), "2003-02-14");
    EXPECT_EQ(Date(491231), "2049-12-31"); // six digits below 60 are this century
    EXPECT_EQ(Date(1131115), "2013-11-15");
    // What names no day stays a number, so nothing is lost.
    EXPECT_EQ(Date(0), "0");
    EXPECT_EQ(Date(-1), "-1");
    EXPECT_EQ(Date(1031301), "1031301");
    EXPECT_EQ(Date(970314.5f), "970314.5");
    EXPECT_EQ(Time(90500), "09:05:00");
    EXPECT_EQ(Time(0), "00:00:00");
    EXPECT_EQ(Time(235959), "23:59:59");
    EXPECT_EQ(Time(96000), "96000");
    EXPECT_EQ(Time(-1), "-1");
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
