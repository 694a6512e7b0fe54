#include "quotes/PriceFile.h"
#include "quotes/Dates.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Record i: date 1030000 + a valid day, open..oi derived from i so rows can be recognised.
PriceRecord Record(int i, int fields = 7) {
    const float date = static_cast<float>(1000103 + (i / 28) % 12 * 100 + i % 28);
    const float f = float(i);
    PriceRecord record = {date, 10.0f + f, 11.0f + f, 9.0f + f, 10.5f + f, 1000.0f * f, 50.0f + f};
    record.resize(static_cast<std::size_t>(fields));
    return record;
}

std::vector<PriceRecord> Records(int count, int fields = 7) {
    std::vector<PriceRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(Record(i, fields));
    return records;
}

class PriceFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(AllocQuoteBuffer(m_buffer, 800), kStatusSuccess); }
    void TearDown() override { FreeQuoteBuffer(m_buffer); }

    void AddSecurity(int fileNumber, const std::string& symbol, int recordLength,
                     const std::vector<PriceRecord>& records, int fieldCount = -1) {
        MasterEntry entry;
        entry.fileNumber = fileNumber;
        entry.recordLength = recordLength;
        entry.fieldCount = fieldCount < 0 ? recordLength / 4 : fieldCount;
        entry.symbol = symbol;
        entry.name = symbol + " CORP";
        m_entries.push_back(entry);
        WriteBytes(m_dir / "MASTER", MasterFileBytes(m_entries));
        WriteBytes(m_dir / ("F" + std::to_string(fileNumber) + ".DAT"),
                   PriceFileBytes(recordLength, records));
    }
    Status Read(const std::string& symbol, int start = -1, int count = 800) {
        return ReadSecurity(m_buffer, m_dir.Path(), symbol, start, count);
    }

    CTempDir m_dir;
    std::vector<MasterEntry> m_entries;
    QuoteBuffer m_buffer{};
};

TEST_F(PriceFileTest, NewestRecordsByDefault) {
    AddSecurity(1, "BIG", 28, Records(1000));
    ASSERT_EQ(Read("BIG"), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 800);
    EXPECT_EQ(m_buffer.total, 1000);
    EXPECT_EQ(m_buffer.open.Value(0), 210.0f); // data record 200
    EXPECT_EQ(m_buffer.openInterest.Value(799), 50.0f + 999);
    EXPECT_EQ(m_buffer.date.Number(0), YymmddToDay(Record(200)[0]));
    EXPECT_EQ(m_buffer.close.nRows, 800);
}

TEST_F(PriceFileTest, FewerRecordsThanRowsLoadsThemAll) {
    AddSecurity(1, "SMALL", 28, Records(300));
    ASSERT_EQ(Read("SMALL"), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 300);
    EXPECT_EQ(m_buffer.high.Value(0), 11.0f);
    EXPECT_EQ(m_buffer.volume.Value(299), 299000.0f);
    EXPECT_EQ(m_buffer.date.nRows, 300);
}

TEST_F(PriceFileTest, StartAndCountPickRecords) {
    AddSecurity(1, "MID", 24, Records(100, 6));
    ASSERT_EQ(Read("MID", 10, 5), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 5);
    EXPECT_EQ(m_buffer.open.Value(0), 20.0f);
    EXPECT_EQ(m_buffer.openInterest.Value(0), -1.0f); // 24-byte records have no open interest
    ASSERT_EQ(Read("MID", 98, 10), kStatusSuccess);   // a short file ends the rows early
    EXPECT_EQ(m_buffer.count, 2);
    ASSERT_EQ(Read("MID", 90, -1), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 10);
    EXPECT_EQ(Read("MID", 100, 5), kStatusRecordNotFound);
    EXPECT_EQ(Read("MID", 100, -1), kStatusRecordNotFound);
}

TEST_F(PriceFileTest, AllRowsStopAtSixteenThousand) {
    FreeQuoteBuffer(m_buffer);
    ASSERT_EQ(AllocQuoteBuffer(m_buffer, 20000), kStatusSuccess);
    AddSecurity(1, "HUGE", 28, Records(20000));
    ASSERT_EQ(Read("HUGE", 0, -1), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 16000);
    EXPECT_EQ(m_buffer.total, 20000);
    EXPECT_EQ(m_buffer.open.Value(15999), 10.0f + 15999);
}

TEST_F(PriceFileTest, ExplicitZeroCountKeepsTheRowsButNamesTheSource) {
    AddSecurity(1, "AAA", 28, Records(50));
    AddSecurity(2, "BBB", 28, Records(70));
    ASSERT_EQ(Read("AAA"), kStatusSuccess);
    ASSERT_EQ(Read("BBB", -1, 0), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 50);
    EXPECT_EQ(m_buffer.total, 70);
    EXPECT_STREQ(m_buffer.symbol, "BBB");
}

TEST_F(PriceFileTest, FilesWithoutDataGiveRecordNotFound) {
    AddSecurity(1, "EMPTY", 28, {});
    AddSecurity(2, "AAA", 28, Records(40));
    AddSecurity(3, "ZERO", 28, Records(5));
    WriteBytes(m_dir / "F3.DAT", PriceFileBytes(28, Records(5), 0));
    AddSecurity(4, "HEADERONLY", 28, {});
    WriteBytes(m_dir / "F4.DAT", Bytes(20, 0));

    ASSERT_EQ(Read("AAA"), kStatusSuccess);
    EXPECT_EQ(Read("EMPTY"), kStatusRecordNotFound);
    EXPECT_EQ(m_buffer.count, 40); // the rows of the previous read stay
    EXPECT_STREQ(m_buffer.symbol, "EMPTY");
    EXPECT_EQ(Read("EMPTY", 0, -1), kStatusRecordNotFound);
    EXPECT_EQ(Read("EMPTY", -1, -1), kStatusRecordNotFound);
    EXPECT_EQ(Read("ZERO"), kStatusRecordNotFound);
    EXPECT_EQ(Read("HEADERONLY"), kStatusRecordNotFound); // shorter than one record
}

TEST_F(PriceFileTest, HeadersAreUnsignedAndBoundedByTheFile) {
    FreeQuoteBuffer(m_buffer);
    ASSERT_EQ(AllocQuoteBuffer(m_buffer, 16000), kStatusSuccess);
    AddSecurity(1, "LONG", 28, Records(40000));
    ASSERT_EQ(Read("LONG", -1, 800), kStatusSuccess);
    EXPECT_EQ(m_buffer.total, 40000);
    EXPECT_EQ(m_buffer.count, 800);
    EXPECT_EQ(m_buffer.open.Value(799), 10.0f + 39999);

    AddSecurity(2, "CLAIMS", 28, Records(5));
    WriteBytes(m_dir / "F2.DAT", PriceFileBytes(28, Records(5), 60000));
    ASSERT_EQ(Read("CLAIMS", -1, 800), kStatusSuccess);
    EXPECT_EQ(m_buffer.total, 5);
    EXPECT_EQ(m_buffer.count, 5);
}

TEST_F(PriceFileTest, BrokenSecuritiesGiveTheirStatus) {
    AddSecurity(1, "NODAT", 28, Records(3));
    std::remove((m_dir / "F1.DAT").c_str());
    AddSecurity(2, "TINY", 28, {});
    WriteBytes(m_dir / "F2.DAT", Bytes(3, 0));
    AddSecurity(3, "WIDE", 80, Records(3));
    AddSecurity(4, "NARROW", 2, Records(3));
    AddSecurity(5, "ODDLEN", 36, Records(3));
    const struct {
        const char* symbol;
        Status status;
    } cases[] = {{"NODAT", kStatusFileOpen},    {"TINY", kStatusFileRead},
                 {"WIDE", kStatusBadColumns},   {"NARROW", kStatusBadColumns},
                 {"ODDLEN", kStatusBadColumns}, {"ABSENT", kStatusFileNotFound}};
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.symbol), c.status) << c.symbol;
}

TEST_F(PriceFileTest, SourceInformationIsKept) {
    AddSecurity(9, "SRC", 28, Records(10));
    WriteText(m_dir / "F9.DOP", "\"DATE\",7,1\n\"OPEN\",8,2\n\"HIGH\",8,3\n\"LOW\",8,4\n"
                                "\"CLOSE\",8,5\n\"VOL\",9,6\n\"OI\",9,7\n");
    ASSERT_EQ(Read("src"), kStatusSuccess);
    EXPECT_EQ(m_buffer.sourceKind, kMetaStockSource);
    EXPECT_EQ(m_buffer.sourceHeaderSize, kSourceHeaderSize);
    EXPECT_STREQ(m_buffer.directory, m_dir.Path().c_str());
    EXPECT_STREQ(m_buffer.symbol, "src");
    EXPECT_EQ(m_buffer.sourceHeader[0], 9);
    std::int16_t map[8], second[8], first[8];
    std::memcpy(map, m_buffer.sourceHeader + kSourceMapOffset, 16);
    std::memcpy(second, m_buffer.sourceHeader + kSourceSecondNumbersOffset, 16);
    std::memcpy(first, m_buffer.sourceHeader + kSourceFirstNumbersOffset, 16);
    EXPECT_EQ(map[kColDate], 1);
    EXPECT_EQ(map[kColTime], 0);
    EXPECT_EQ(map[kColOi], 7);
    EXPECT_EQ(first[kColVol], 9);
    EXPECT_EQ(second[kColVol], 6);
}

TEST_F(PriceFileTest, LongDirectoriesAndSymbolsAreCut) {
    const std::string deep = m_dir.MakeSubdirectory(std::string(90, 'd'));
    MasterEntry entry;
    entry.symbol = "S";
    entry.name = "ABCDEFGHIJKLMNOP";
    WriteBytes(deep + "MASTER", MasterFileBytes({entry}));
    WriteBytes(deep + "F1.DAT", PriceFileBytes(28, Records(3)));
    ASSERT_EQ(ReadSecurity(m_buffer, deep, "abcdefghijklmnop    ", -1, 800), kStatusSuccess);
    EXPECT_EQ(std::strlen(m_buffer.directory), 70u);
    EXPECT_EQ(std::string(m_buffer.directory), deep.substr(0, 70));
    EXPECT_STREQ(m_buffer.symbol, "abcdefghijklmnop    ");
    ASSERT_EQ(ReadSecurity(m_buffer, deep, "ABCDEFGHIJKLMNOP       ", -1, 800), kStatusSuccess);
    EXPECT_STREQ(m_buffer.symbol, "ABCDEFGHIJKLMNOP    ");
}

TEST_F(PriceFileTest, DopColumnsMapTheFields) {
    AddSecurity(1, "DOP", 20, {{1030214, 12, 11, 11.5f, 300}});
    WriteText(m_dir / "F1.DOP", "\"Date\",1,2\n\"High\",3,4\nnot a column line\n"
                                "\"Comment\",0,0\n\"Low\",5,6\n\"Close\",7,8\n\"Volume\",9,10\n");
    ASSERT_EQ(Read("DOP"), kStatusSuccess);
    EXPECT_EQ(m_buffer.date.Number(0), 15385);
    EXPECT_EQ(m_buffer.high.Value(0), 12.0f);
    EXPECT_EQ(m_buffer.low.Value(0), 11.0f);
    EXPECT_EQ(m_buffer.close.Value(0), 11.5f);
    EXPECT_EQ(m_buffer.volume.Value(0), 300.0f);
    EXPECT_EQ(m_buffer.open.Value(0), -1.0f);
    EXPECT_EQ(m_buffer.openInterest.Value(0), -1.0f);
    EXPECT_EQ(m_buffer.time.Number(0), 0);
}

TEST_F(PriceFileTest, PositionsBeyondTheRecordReadAsAbsent) {
    AddSecurity(1, "SHORT", 16, {{1030214, 12, 11, 11.5f}});
    WriteText(m_dir / "F1.DOP", "\"DATE\"\n\"HIGH\"\n\"LOW\"\n\"CLOSE\"\n\"VOL\"\n\"OI\"\n");
    ASSERT_EQ(Read("SHORT"), kStatusSuccess);
    EXPECT_EQ(m_buffer.close.Value(0), 11.5f);
    EXPECT_EQ(m_buffer.volume.Value(0), -1.0f);
    EXPECT_EQ(m_buffer.openInterest.Value(0), -1.0f);
}

TEST_F(PriceFileTest, IntradayTimesAndZeroRecords) {
    AddSecurity(1, "INTRA", 32, {{1131115, 90500, 1, 2, 0.5f, 1.5f, 10, 0}, {}});
    ASSERT_EQ(Read("INTRA"), kStatusSuccess);
    ASSERT_EQ(m_buffer.count, 2);
    EXPECT_EQ(m_buffer.time.Number(0), HmsToTime(9, 5, 0));
    EXPECT_EQ(m_buffer.date.Number(0), YmdToDay(2013, 11, 15));
    EXPECT_EQ(m_buffer.close.Value(0), 1.5f);
    EXPECT_EQ(m_buffer.date.Number(1), 0); // an all-zero record has no date
}

TEST_F(PriceFileTest, LowerCaseFileNamesAreFound) {
    AddSecurity(1, "LOWER", 28, Records(4));
    std::rename((m_dir / "F1.DAT").c_str(), (m_dir / "f1.dat").c_str());
    std::rename((m_dir / "MASTER").c_str(), (m_dir / "master").c_str());
    ASSERT_EQ(Read("LOWER"), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 4);
}

// Either extension serves either index, as for the securities of EMASTER and XMASTER.
TEST_F(PriceFileTest, AMasterEntryReadsItsMwdFileWhenItHasNoDat) {
    AddSecurity(1, "MWD", 28, Records(5));
    std::rename((m_dir / "F1.DAT").c_str(), (m_dir / "F1.MWD").c_str());
    ASSERT_EQ(Read("MWD"), kStatusSuccess);
    EXPECT_EQ(m_buffer.count, 5);
}

struct LayoutCase {
    int recordLength;
    std::int16_t map[kColumnCount];
};

TEST(ParseDopFileTest, RecordLengthsChooseTheColumns) {
    const LayoutCase cases[] = {{12, {1, 0, 0, 0, 0, 2, 3, 0}},
                                {16, {1, 0, 0, 2, 3, 4, 0, 0}},
                                {18, {1, 0, 0, 0, 0, 2, 0, 0}},
                                {24, {1, 0, 2, 3, 4, 5, 6, 0}},
                                {28, {1, 0, 2, 3, 4, 5, 6, 7}}};
    CTempDir dir;
    for (const LayoutCase& c : cases) {
        std::string path = dir / "F1.DOP";
        std::int16_t map[8], first[8], second[8];
        ASSERT_EQ(ParseDopFile(path, map, first, second, c.recordLength), kStatusSuccess);
        EXPECT_EQ(path, dir / "F1.DAT");
        for (int col = 0; col < kColumnCount; ++col)
            EXPECT_EQ(map[col], c.map[col]) << c.recordLength << " column " << col;
    }
    for (int length : {8, 20, 36, 0, -4}) {
        std::string path = dir / "F1.DOP";
        std::int16_t map[8], first[8], second[8];
        EXPECT_EQ(ParseDopFile(path, map, first, second, length), kStatusBadColumns) << length;
    }
}

TEST(ParseDopFileTest, IntradayRecordsCarryATimeAfterTheDate) {
    CTempDir dir;
    std::int16_t map[8], first[8], second[8];
    std::string path = dir / "F1.DOP";
    ASSERT_EQ(ParseDopFile(path, map, first, second, 28, true), kStatusSuccess);
    EXPECT_EQ(std::vector<int>(map, map + 8), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    for (bool intraday : {false, true}) {
        path = dir / "F1.DOP";
        ASSERT_EQ(ParseDopFile(path, map, first, second, 32, intraday), kStatusSuccess);
        EXPECT_EQ(std::vector<int>(map, map + 8), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    }
    path = dir / "F1.DOP";
    ASSERT_EQ(ParseDopFile(path, map, first, second, 24, true), kStatusSuccess);
    EXPECT_EQ(map[kColTime], 0); // no room for a time: the daily layout
}

TEST(ParseDopFileTest, TwentyByteRecordsAreToldByTheirFirstRecord) {
    CTempDir dir;
    auto layout = [&](const std::vector<PriceRecord>& records) {
        WriteBytes(dir / "F2.DAT", PriceFileBytes(20, records));
        std::string path = dir / "F2.DOP";
        std::int16_t map[8], first[8], second[8];
        EXPECT_EQ(ParseDopFile(path, map, first, second, 20), kStatusSuccess);
        return std::vector<int>(map, map + 8);
    };
    const std::vector<int> ohlc = {1, 0, 2, 3, 4, 5, 0, 0};
    const std::vector<int> hlcv = {1, 0, 0, 2, 3, 4, 5, 0};
    EXPECT_EQ(layout({{1030214, 10.0f, 11, 9, 10.5f}}), ohlc);
    EXPECT_EQ(layout({{1030214, 10.0f, 11, 9, 250000.0f}}), hlcv);
    EXPECT_EQ(layout({{1030214, 10.0f, 11, 9, 0}}), hlcv);
    EXPECT_EQ(layout({{1030214, 10.0f, 11, 9, 20.0f}}), ohlc); // exactly twice is a price
    EXPECT_EQ(layout({}), hlcv);                               // only a header: all zero
}

TEST(ParseDopFileTest, NamesAreRecognisedByTheirBeginning) {
    CTempDir dir;
    WriteText(dir / "F3.DOP", "\"date\",1,1\n\"Opening price\",2,2\n,,,\"HIGH\"\n\"VOLUME\",,5,6\n"
                              "\"X\"\n\"Lo\"\n\"Low\",7\n\"vol\",8,9\n\"OI\",99999,-3\n");
    std::string path = dir / "F3.DOP";
    std::int16_t map[8], first[8], second[8];
    ASSERT_EQ(ParseDopFile(path, map, first, second, 28), kStatusSuccess);
    EXPECT_EQ(path, dir / "F3.DOP");
    const std::int16_t expected[8] = {1, 0, 2, 0, 4, 0, 5, 6};
    for (int col = 0; col < kColumnCount; ++col)
        EXPECT_EQ(map[col], expected[col]) << col;
    EXPECT_EQ(first[kColVol], 8); // the later VOL line wins
    EXPECT_EQ(second[kColVol], 9);
    EXPECT_EQ(first[kColLow], 7);
    EXPECT_EQ(second[kColLow], 0);
    EXPECT_EQ(second[kColOi], -3);
}

TEST(ParseDopFileTest, LongLinesArriveInPieces) {
    CTempDir dir;
    // The piece after the first 299 characters starts with a quote and is read as a line.
    WriteText(dir / "F4.DOP", "\"DATE\"," + std::string(292, '1') + "\"CLOSE\",1,1\n\"HIGH\"\n");
    std::string path = dir / "F4.DOP";
    std::int16_t map[8], first[8], second[8];
    ASSERT_EQ(ParseDopFile(path, map, first, second, 28), kStatusSuccess);
    EXPECT_EQ(map[kColDate], 1);
    EXPECT_EQ(map[kColClose], 2);
    EXPECT_EQ(map[kColHigh], 3);
}

TEST(ParseDopFileTest, ADosEndOfFileAndBlankLinesAreNotText) {
    CTempDir dir;
    WriteText(dir / "F5.DOP",
              "\"DATE\",1,1\r\n\r\n\"HIGH\",2,2\r\n\n\"CLOSE\",3,3\x1A\"OI\",4,4\r\n");
    std::string path = dir / "F5.DOP";
    std::int16_t map[8], first[8], second[8];
    ASSERT_EQ(ParseDopFile(path, map, first, second, 28), kStatusSuccess);
    EXPECT_EQ(std::vector<int>(map, map + 8), (std::vector<int>{1, 0, 0, 2, 0, 3, 0, 0}));
    EXPECT_EQ(second[kColClose], 3);
}

TEST(PriceColumnsTest, FieldBitsGiveTheColumnsInStorageOrder) {
    const struct {
        std::uint8_t bits;
        std::vector<int> map;
    } cases[] = {{0x7F, {1, 0, 2, 3, 4, 5, 6, 7}},
                 {0xFF, {1, 2, 3, 4, 5, 6, 7, 8}},
                 {0x3F, {1, 0, 2, 3, 4, 5, 6, 0}},
                 {0x0F, {1, 0, 0, 2, 3, 4, 0, 0}},
                 {0xBF, {1, 2, 3, 4, 5, 6, 7, 0}}};
    for (const auto& c : cases) {
        std::int16_t map[8];
        EXPECT_EQ(ColumnsFromFieldBits(c.bits, map), kStatusSuccess);
        EXPECT_EQ(std::vector<int>(map, map + 8), c.map) << int(c.bits);
    }
    std::int16_t map[8];
    EXPECT_EQ(ColumnsFromFieldBits(0x7E, map), kStatusBadColumns); // no date
}

TEST(PriceColumnsTest, RecordCountsBelieveTheFileAndSurviveAWrappedHeader) {
    EXPECT_EQ(LastRecordNumber(11, 11), 11);
    EXPECT_EQ(LastRecordNumber(5000, 11), 11);       // promises more than the file holds
    EXPECT_EQ(LastRecordNumber(0, 11), 1);           // names no record
    EXPECT_EQ(LastRecordNumber(7, 11), 7);           // bytes after the last record
    EXPECT_EQ(LastRecordNumber(4465, 70001), 70001); // 70,001 records, counted modulo 65,536
    EXPECT_EQ(LastRecordNumber(4464, 70001), 4464);
}

} // namespace
