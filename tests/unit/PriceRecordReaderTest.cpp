// The block reader of a price file's raw records.

#include "quotes/PriceRecordReader.h"
#include "quotes/Mbf.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kLength = 8; // two fields: the record's number and a second value

// Records whose first field is their number, 0 for the oldest.
Bytes File(int records, std::optional<int> headerLast = std::nullopt) {
    std::vector<PriceRecord> rows;
    for (int i = 0; i < records; ++i)
        rows.push_back({float(i), 1});
    return PriceFileBytes(kLength, rows, headerLast);
}

PriceSource Source(int fileNumber, bool mwd = false) {
    PriceSource source;
    source.fileNumber = fileNumber;
    source.recordLength = kLength;
    source.fieldCount = 2;
    source.mwd = mwd;
    return source;
}

class PriceRecordReaderTest : public ::testing::Test {
protected:
    // Three records a block, so that every file of more needs several reads.
    CPriceRecordReader Reader(const Bytes& bytes) {
        WriteBytes(m_dir / "F1.DAT", bytes);
        CPriceRecordReader reader(Source(1), m_block, sizeof m_block);
        EXPECT_TRUE(reader.Open(m_dir.Path()));
        return reader;
    }
    // The numbers of the records given, in order.
    CPriceRecordReader::Take Collect(std::vector<int>& numbers, std::size_t wanted = 1000) {
        return [&numbers, wanted](const std::uint8_t* records, std::size_t count) {
            EXPECT_LE(count, 3u);
            for (std::size_t i = 0; i < count; ++i) {
                float number = -1;
                MbfToIeee(records + i * kLength, &number);
                numbers.push_back(int(number));
            }
            return numbers.size() < wanted;
        };
    }

    CTempDir m_dir;
    std::uint8_t m_block[3 * kLength + 5];
};

std::vector<int> Numbers(int from, int to) {
    std::vector<int> numbers;
    for (int i = from; i < to; ++i)
        numbers.push_back(i);
    return numbers;
}

TEST_F(PriceRecordReaderTest, ReadAllGivesTheRecordsThatTheHeaderCounts) {
    const struct {
        const char* what;
        Bytes bytes;
        int given;
    } cases[] = {
        {"one block with the header", File(2), 2},
        {"several blocks", File(10), 10},
        {"a header that counts fewer", File(10, 5), 4},
        {"a header that counts more", File(4, 40), 4},
        {"a header that counts none", File(4, 0), 0},
    };
    for (const auto& c : cases) {
        CPriceRecordReader reader = Reader(c.bytes);
        std::vector<int> numbers;
        long long given = -1;
        EXPECT_EQ(reader.ReadAll(Collect(numbers), given), CPriceRecordReader::Outcome::kDone)
            << c.what;
        EXPECT_EQ(given, c.given) << c.what;
        EXPECT_EQ(numbers, Numbers(0, c.given)) << c.what;
    }
}

TEST_F(PriceRecordReaderTest, ReadAllStopsWhereTheCallerOrTheFileDoes) {
    std::vector<int> numbers;
    long long given = 0;
    EXPECT_EQ(Reader(File(10)).ReadAll(Collect(numbers, 4), given),
              CPriceRecordReader::Outcome::kDone);
    EXPECT_EQ(numbers, Numbers(0, 5)); // the second block is the last one taken
    EXPECT_EQ(Reader(Bytes(kLength - 1, 0)).ReadAll(Collect(numbers), given),
              CPriceRecordReader::Outcome::kNoHeader);
}

TEST_F(PriceRecordReaderTest, ReadRangeGivesRecordsFromAnyPlace) {
    CPriceRecordReader reader = Reader(File(10, 8));
    long long count = 0;
    ASSERT_TRUE(reader.ReadCount(count));
    EXPECT_EQ(count, 7);
    std::vector<int> numbers;
    EXPECT_EQ(reader.ReadRange(2, 5, Collect(numbers)), 5);
    EXPECT_EQ(numbers, Numbers(2, 7));
    numbers.clear();
    EXPECT_EQ(reader.ReadRange(8, 5, Collect(numbers)), 2); // the file ends first
    EXPECT_EQ(numbers, Numbers(8, 10));
    EXPECT_FALSE(Reader(Bytes(3, 0)).ReadCount(count));
}

TEST_F(PriceRecordReaderTest, TheDataFileIsFoundUnderEitherExtensionInAnyCase) {
    WriteBytes(m_dir / "f2.mwd", File(3));
    WriteBytes(m_dir / "F3.DAT", File(4));
    WriteBytes(m_dir / "F3.MWD", File(5));
    const CFolderFiles folder(m_dir.Path());
    const struct {
        PriceSource source;
        int records;
    } cases[] = {{Source(2), 3}, {Source(3), 4}, {Source(3, true), 5}, {Source(4), -1}};
    for (const auto& c : cases) {
        for (const bool listed : {false, true}) {
            CPriceRecordReader reader(c.source, m_block, sizeof m_block);
            const bool open = listed ? reader.Open(folder) : reader.Open(m_dir.Path());
            ASSERT_EQ(open, c.records >= 0) << c.source.fileNumber;
            long long count = 0;
            if (open && reader.ReadCount(count)) {
                EXPECT_EQ(count, c.records) << c.source.fileNumber;
            }
        }
    }
    EXPECT_EQ(PriceFileName(12, "DOP"), "F12.DOP");
    EXPECT_EQ(PriceDataFileName(Source(300, true)), "F300.MWD");
    EXPECT_EQ(PriceDataFileName(Source(7)), "F7.DAT");
}

TEST_F(PriceRecordReaderTest, AListedFolderOpensOnlyRegularFilesAndReadsThemWhole) {
    namespace fs = std::filesystem;
    WriteBytes(m_dir / "F1.DAT", File(2));
    WriteBytes(m_dir / "F2.DAT", File(10, 4)); // longer than a block: its size is asked for
    fs::create_symlink(m_dir / "F1.DAT", m_dir / "F3.DAT");
    ASSERT_EQ(::mkfifo((m_dir / "F4.DAT").c_str(), 0600), 0);
    fs::create_directory(m_dir / "F5.DAT");
    fs::create_symlink(m_dir / "absent", m_dir / "F6.DAT");
    fs::create_symlink("/dev/zero", m_dir / "F7.DAT");
    const CFolderFiles folder(m_dir.Path());
    const struct {
        const char* what;
        int fileNumber;
        int given; // -1: not opened
    } cases[] = {
        {"a regular file", 1, 2},
        {"a file of several blocks", 2, 3},
        {"a link to a regular file", 3, 2},
        {"a FIFO", 4, -1},
        {"a directory", 5, -1},
        {"a broken link", 6, -1},
        {"a link to a device", 7, -1},
    };
    for (const auto& c : cases) {
        CPriceRecordReader reader(Source(c.fileNumber), m_block, sizeof m_block);
        ASSERT_EQ(reader.Open(folder), c.given >= 0) << c.what;
        if (c.given < 0)
            continue;
        std::vector<int> numbers;
        long long given = -1;
        EXPECT_EQ(reader.ReadAll(Collect(numbers), given), CPriceRecordReader::Outcome::kDone)
            << c.what;
        EXPECT_EQ(numbers, Numbers(0, c.given)) << c.what;
    }
}

} // namespace
