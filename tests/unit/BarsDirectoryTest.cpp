#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

std::vector<PriceRecord> Closes(std::initializer_list<float> closes) {
    std::vector<PriceRecord> records;
    float date = 1030102;
    for (float close : closes)
        records.push_back({date++, close, close + 1, close - 1, close, 1000, 0});
    return records;
}

class BarsDirectoryTest : public CChartFixture {
protected:
    void WriteDirectory(const std::vector<MasterEntry>& entries, int headerCount = -1) {
        WriteBytes(m_dir / "MASTER", MasterFileBytes(entries, headerCount));
        for (const MasterEntry& entry : entries)
            WriteBytes(m_dir / ("F" + std::to_string(entry.fileNumber) + ".DAT"),
                       PriceFileBytes(28, Closes({1, 2, 3, 4, 5, float(entry.fileNumber)})));
    }
    int Open() {
        EXPECT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        return m_bars.ReadMaster();
    }
};

TEST_F(BarsDirectoryTest, MasterPathsAreAcceptedByTheirLastSixLetters) {
    const struct {
        std::string path;
        int accepted;
        const char* directory;
    } cases[] = {{"/quotes/master", 1, "/quotes"},
                 {"/quotes/Master", 1, "/quotes"},
                 {"/quotes/XMASTER", 1, "/quotes"},
                 {"MASTER", 1, ""},
                 {"/MASTER", 1, "/"},
                 {"/quotes/MASTER.DAT", 0, nullptr},
                 {"/quotes/EMASTER.BAK", 0, nullptr},
                 {"ASTER", 0, nullptr},
                 {"/" + std::string(290, 'q') + "/MASTER", 1, nullptr}, // 298 characters
                 // Longer paths than the 300-character buffers of old held are opened too.
                 {"/" + std::string(291, 'q') + "/MASTER", 1, nullptr},
                 {"/" + std::string(1200, 'q') + "/Master", 1, nullptr}};
    for (const auto& c : cases) {
        CBars bars(m_settings, m_messages);
        EXPECT_EQ(bars.SetMasterPath(c.path.c_str()), c.accepted) << c.path;
        if (c.accepted && c.directory) {
            EXPECT_STREQ(bars.GetDataDirectory(), c.directory) << c.path;
        }
        if (!c.accepted) {
            EXPECT_EQ(bars.GetMasterPath(), nullptr);
        }
    }
    EXPECT_EQ(m_bars.SetMasterPath(nullptr), 0);
}

TEST_F(BarsDirectoryTest, ListsEntriesInFileOrder) {
    WriteDirectory({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA"),
                    SecurityEntry(3, "CCC", "GAMMA")});
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(m_bars.GetSymbolCount(), 3);
    EXPECT_EQ(m_bars.GetCurrentIndex(), 0);
    EXPECT_STREQ(m_bars.GetSymbol(2), "CCC");
    EXPECT_STREQ(m_bars.GetName(1), "BETA            "); // names keep their blanks
    EXPECT_EQ(m_bars.GetSymbol(3), nullptr);
    EXPECT_EQ(m_bars.GetSymbol(-1), nullptr);
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

TEST_F(BarsDirectoryTest, AHeaderThatMiscountsFailsTheRead) {
    WriteDirectory({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA"),
                    SecurityEntry(3, "CCC", "GAMMA")},
                   4);
    EXPECT_EQ(Open(), 1);
    EXPECT_EQ(m_messages.TakeShown(),
              Texts{"The file\n" + (m_dir / "MASTER") +
                    "\nis not a MASTER file: its header counts 4 entries, but it holds 3."});
    EXPECT_EQ(m_bars.GetSymbolCount(), 0);
}

TEST_F(BarsDirectoryTest, UnreadableMastersFailQuietlyOrWithAMessage) {
    EXPECT_EQ(Open(), 1); // no file at all: no message
    EXPECT_TRUE(m_messages.TakeShown().empty());
    WriteBytes(m_dir / "MASTER", Bytes(30, 0));
    EXPECT_EQ(m_bars.ReadMaster(), 1);
    EXPECT_EQ(m_messages.TakeShown(),
              Texts{"The file\n" + (m_dir / "MASTER") +
                    "\nis not a MASTER file: it holds 30 bytes, fewer than the 53 of a header."});
    CBars fresh(m_settings, m_messages);
    EXPECT_EQ(fresh.ReadMaster(), 1); // no path set
}

TEST_F(BarsDirectoryTest, MoreThan255EntriesListTheFirst255) {
    // File numbers end at 255, so the records beyond are subdirectory entries.
    std::vector<MasterEntry> entries;
    for (int i = 0; i < 255; ++i)
        entries.push_back(SecurityEntry(i + 1, "S" + std::to_string(i), "NAME"));
    for (int i = 255; i < 300; ++i) {
        entries.push_back(DirectoryEntry("D" + std::to_string(i)));
        entries.back().symbol = entries.back().name;
    }
    WriteBytes(m_dir / "MASTER", MasterFileBytes(entries));
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(m_bars.GetSymbolCount(), 255);
    EXPECT_STREQ(m_bars.GetSymbol(254), "S254");
    const Texts shown = m_messages.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("45 are left out"), std::string::npos) << shown[0];
}

TEST_F(BarsDirectoryTest, LoadsTheCurrentSymbolWithItsAverages) {
    WriteDirectory({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA")});
    m_bars.SetMA1Length(2);
    m_bars.SetMA2Length(4);
    ASSERT_EQ(Open(), 0);
    EXPECT_FALSE(m_bars.IsDataLoaded());
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    EXPECT_TRUE(m_bars.IsDataLoaded());
    EXPECT_EQ(m_bars.GetQuotes().count, 6);
    EXPECT_EQ(m_bars.GetQuotes().capacity, 800);
    EXPECT_EQ(m_bars.GetMA1Column().Value(1), 1.5f);
    EXPECT_EQ(m_bars.GetMA2Column().Value(2), 0.0f);
    EXPECT_EQ(m_bars.GetMA2Column().Value(3), 2.5f);
    m_bars.SetMA1Length(3); // recomputed at once
    EXPECT_EQ(m_bars.GetMA1Column().Value(1), 0.0f);
    EXPECT_EQ(m_bars.GetMA1Column().Value(2), 2.0f);
}

TEST_F(BarsDirectoryTest, StepsClampAtBothEnds) {
    WriteDirectory({SecurityEntry(1, "A", "A"), SecurityEntry(2, "B", "B"),
                    SecurityEntry(3, "C", "C"), SecurityEntry(4, "D", "D")});
    ASSERT_EQ(Open(), 0);
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    EXPECT_EQ(m_bars.StepSymbol(-1), 1);
    EXPECT_EQ(m_bars.GetCurrentIndex(), 0);
    EXPECT_EQ(LastClose(), 1.0f);
    EXPECT_EQ(m_bars.StepSymbol(2), 0);
    EXPECT_EQ(LastClose(), 3.0f);
    EXPECT_EQ(m_bars.StepSymbol(5), 1);
    EXPECT_EQ(m_bars.GetCurrentIndex(), 3);
    EXPECT_EQ(LastClose(), 4.0f); // the last symbol, loaded again
    EXPECT_FALSE(m_bars.HasNextSymbol());
    EXPECT_TRUE(m_bars.HasPreviousSymbol());
    EXPECT_EQ(m_bars.StepSymbol(-2147483647), 1);
    EXPECT_EQ(m_bars.GetCurrentIndex(), 0);
    EXPECT_EQ(m_bars.StepSymbol(2147483647), 1);
    EXPECT_EQ(m_bars.GetCurrentIndex(), 3);

    CBars empty(m_settings, m_messages);
    EXPECT_EQ(empty.StepSymbol(1), 1);
    EXPECT_EQ(empty.GetCurrentIndex(), 0);
    EXPECT_FALSE(empty.HasNextSymbol());
    EXPECT_FALSE(empty.HasPreviousSymbol());
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

TEST_F(BarsDirectoryTest, SearchIsExactAndTakesTheFirstMatch) {
    WriteDirectory({SecurityEntry(1, "IBM", "ONE"), SecurityEntry(2, "XYZ", "TWO"),
                    SecurityEntry(3, "XYZ", "THREE")});
    ASSERT_EQ(Open(), 0);
    m_bars.SearchSetSymbolIndex("XYZ");
    EXPECT_EQ(m_bars.GetCurrentIndex(), 1);
    EXPECT_EQ(LastClose(), 2.0f);
    m_bars.SearchSetSymbolIndex("ibm");
    EXPECT_EQ(m_messages.TakeShown(), Texts{"Failure in SearchSetSymbolIndex"});
    EXPECT_EQ(m_bars.GetCurrentIndex(), 1);
    EXPECT_TRUE(m_bars.IsDataLoaded());
}

TEST_F(BarsDirectoryTest, SymbolsWithSharedFirstWordsLoadTheFirst) {
    WriteDirectory(
        {SecurityEntry(1, "BRK A", "BERKSHIRE A"), SecurityEntry(2, "BRK B", "BERKSHIRE B")});
    ASSERT_EQ(Open(), 0);
    EXPECT_STREQ(m_bars.GetSymbol(0), "BRK");
    EXPECT_STREQ(m_bars.GetSymbol(1), "BRK");
    m_bars.StepSymbol(1);
    EXPECT_EQ(LastClose(), 1.0f); // the lookup matches the first BRK
}

TEST_F(BarsDirectoryTest, AMissingPriceFileIsReportedAndUnloads) {
    WriteDirectory({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "GONE", "BETA")});
    std::remove((m_dir / "F2.DAT").c_str());
    ASSERT_EQ(Open(), 0);
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    m_bars.StepSymbol(1);
    EXPECT_EQ(m_messages.TakeShown(), Texts{"Read failed for symbol GONE"});
    EXPECT_FALSE(m_bars.IsDataLoaded());
    EXPECT_EQ(m_bars.GetCurrentIndex(), 1);
    m_bars.StepSymbol(-1); // loading another symbol allocates again
    EXPECT_TRUE(m_bars.IsDataLoaded());
}

TEST_F(BarsDirectoryTest, AnEmptyMasterLoadsNothing) {
    WriteDirectory({});
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(m_bars.ReadCurrentSymbol(), 1);
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

} // namespace
