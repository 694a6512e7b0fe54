// The figures of a security that the folder's table shows, against the records they come from.

#include "quotes/SecurityFigures.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

PriceSource Source(int fileNumber, int recordLength) {
    PriceSource source;
    source.fileNumber = fileNumber;
    source.recordLength = recordLength;
    source.fieldCount = recordLength / 4;
    return source;
}

TEST(SecurityFiguresTest, FiguresAreThoseOfTheFirstAndLastRecords) {
    // 28 bytes: date, open, high, low, close, volume, oi; 16 bytes: date, high, low, close.
    const struct {
        const char* what;
        int recordLength;
        std::vector<PriceRecord> records;
        std::optional<int> headerLast;
        SecurityFigures expected;
        std::optional<double> change;
    } cases[] = {
        {"several records",
         28,
         {{1030102, 1, 2, 1, 2, 500, 0},
          {1030103, 2, 3, 2, 2.5f, 600, 0},
          {1030106, 2, 3, 2, 2.25f, 700, 0}},
         {},
         {3, 1030102, 1030106, 2.25f, 2.5f, 700, true, true},
         -10.0},
        {"one record",
         28,
         {{1030102, 1, 2, 1, 2, 500, 0}},
         {},
         {1, 1030102, 1030102, 2, 0, 500, true, true},
         std::nullopt},
        {"no record", 28, {}, {}, {0, 0, 0, 0, 0, 0, true, true}, std::nullopt},
        {"a previous close of 0",
         28,
         {{1030102, 1, 2, 1, 0, 500, 0}, {1030103, 2, 3, 2, 2.5f, 600, 0}},
         {},
         {2, 1030102, 1030103, 2.5f, 0, 600, true, true},
         std::nullopt},
        {"no volume column",
         16,
         {{1030102, 2, 1, 2}, {1030103, 3, 2, 3}},
         {},
         {2, 1030102, 1030103, 3, 2, 0, true, false},
         50.0},
        {"a header that counts past the data, as while it is written",
         28,
         {{1030102, 1, 2, 1, 2, 500, 0}, {1030103, 2, 3, 2, 2.5f, 600, 0}},
         9,
         {2, 1030102, 1030103, 2.5f, 2, 600, true, true},
         25.0},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        WriteBytes(dir / "F7.DAT", PriceFileBytes(c.recordLength, c.records, c.headerLast));
        const CFolderFiles files(dir.Path());
        std::uint8_t block[3 * 28];
        SecurityFigures figures;
        std::string problem;
        ASSERT_TRUE(ReadSecurityFigures(files, Source(7, c.recordLength), block, sizeof block,
                                        figures, problem))
            << c.what << ": " << problem;
        const SecurityFigures& e = c.expected;
        EXPECT_EQ(figures.records, e.records) << c.what;
        if (e.records > 0) {
            EXPECT_EQ(figures.firstDate, e.firstDate) << c.what;
            EXPECT_EQ(figures.lastDate, e.lastDate) << c.what;
            EXPECT_EQ(figures.lastClose, e.lastClose) << c.what;
            EXPECT_EQ(figures.lastVolume, e.lastVolume) << c.what;
        }
        EXPECT_EQ(figures.hasVolume, e.hasVolume) << c.what;
        const std::optional<double> change = ChangePercent(figures);
        ASSERT_EQ(change.has_value(), c.change.has_value()) << c.what;
        if (change) {
            EXPECT_NEAR(*change, *c.change, 1e-9) << c.what;
        }
    }
}

TEST(SecurityFiguresTest, AFileThatCannotBeReadSaysWhy) {
    CTempDir dir;
    WriteBytes(dir / "F2.DAT", Bytes(5, 0));
    const CFolderFiles files(dir.Path());
    std::uint8_t block[64];
    SecurityFigures figures;
    const struct {
        PriceSource source;
        const char* problem;
    } cases[] = {
        {Source(1, 28), "F1.DAT is missing"},
        {Source(2, 28), "F2.DAT is shorter than its header"},
        {Source(3, 36), "the columns of F3.DAT cannot be determined"},
        {Source(4, 100), "its records of 100 bytes cannot be read"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_FALSE(ReadSecurityFigures(files, c.source, block, sizeof block, figures, problem));
        EXPECT_EQ(problem, c.problem);
    }
}

} // namespace
