// The real quote folders kept beside the repository (../shared/testdata/real): what a correct
// reader lists and loads there. Skipped, with a message, where they are absent.

#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "platform/MemorySettings.h"
#include "quotes/Dates.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#ifndef TICKVANE_REAL_DATA
#error "TICKVANE_REAL_DATA must name the folder of the real quote folders"
#endif

namespace {

constexpr const char* kAtem = "rudimeier-atem/test/";
constexpr const char* kSampleData = "okomarov-metastockread/sampleData";

class RealFoldersTest : public ::testing::Test {
protected:
    // Opens the folder as the viewer does; false (the test skipped) when it is absent.
    bool Open(const std::string& folder) {
        const std::string path = std::string(TICKVANE_REAL_DATA) + "/" + folder;
        if (!std::filesystem::exists(path))
            return false;
        EXPECT_EQ(m_bars.SetMasterPath(MasterPathToOpen(path).c_str()), 1) << folder;
        EXPECT_EQ(m_bars.ReadMaster(), 0) << folder;
        return true;
    }
    // The file number of the loaded security, as the source header keeps it.
    int LoadedFileNumber() const {
        const std::uint8_t* header = m_bars.GetQuotes().sourceHeader;
        return header[1] | (header[2] << 8);
    }

    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};

#define OPEN_OR_SKIP(folder)                                                                       \
    if (!Open(folder))                                                                             \
    GTEST_SKIP() << "the real quote folder " << (folder) << " is absent"

TEST_F(RealFoldersTest, EveryFolderListsAllItsSecurities) {
    const struct {
        std::string folder;
        int securities;
    } cases[] = {{std::string(kAtem) + "msdir_bbfinance", 40},
                 {std::string(kAtem) + "msdir_equis_a", 2846},
                 {std::string(kAtem) + "msdir_equis_b", 4},
                 {std::string(kAtem) + "msdir_stooq", 1},
                 {kSampleData, 462},
                 {std::string(kSampleData) + "/Intraday", 1},
                 {"gityoav-metastock2pd/data", 128 + 294}};
    for (const auto& c : cases) {
        OPEN_OR_SKIP(c.folder);
        EXPECT_EQ(m_bars.GetSymbolCount(), c.securities) << c.folder;
    }
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

TEST_F(RealFoldersTest, LongNamesComeFromEmasterAndXmaster) {
    OPEN_OR_SKIP(kSampleData);
    EXPECT_STREQ(m_bars.GetName(387), "IS-pubblica utilit\u00E0"); // 0xE0 in XMASTER
    OPEN_OR_SKIP(std::string(kAtem) + "msdir_equis_a");
    EXPECT_STREQ(m_bars.GetSymbol(0), ".DJX");
    EXPECT_STREQ(m_bars.GetName(0), "1/100 Dow Jones INDU");
    EXPECT_STREQ(m_bars.GetShortName(0), "1/100 Dow Jones ");
    EXPECT_STREQ(m_bars.GetName(2845), "NIKKEI 225 INDEX");
}

TEST_F(RealFoldersTest, XmasterSecuritiesLoadFromFileNumbersAboveTheMasterRange) {
    OPEN_OR_SKIP(std::string(kAtem) + "msdir_equis_a");
    std::set<int> numbers;
    int empty = 0;
    for (int i = 255; i < m_bars.GetSymbolCount(); ++i) {
        m_bars.StepSymbol(i - m_bars.GetCurrentIndex());
        // Thirteen series are a header without rows, which reads as no record.
        if (m_bars.IsDataLoaded())
            numbers.insert(LoadedFileNumber());
        else
            ++empty;
    }
    EXPECT_EQ(empty, 13);
    EXPECT_EQ(m_messages.TakeShown().size(), 13u);
    EXPECT_EQ(numbers.size(), 2591u - 13u);
    EXPECT_EQ(*numbers.begin(), 256);
    EXPECT_EQ(*numbers.rbegin(), 2853);
    for (int gap : {378, 2699, 2700, 2701, 2702, 2710, 2712})
        EXPECT_EQ(numbers.count(gap), 0u) << gap;
}

TEST_F(RealFoldersTest, TheIntradaySampleLoadsItsNewestMinutes) {
    OPEN_OR_SKIP(std::string(kSampleData) + "/Intraday");
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    const QuoteBuffer& quotes = m_bars.GetQuotes();
    EXPECT_EQ(quotes.total, 64885);
    ASSERT_EQ(quotes.count, 800);
    EXPECT_EQ(quotes.date.Number(799), YmdToDay(2003, 7, 4));
    EXPECT_EQ(quotes.time.Number(799), HmsToTime(17, 39, 0));
    EXPECT_EQ(quotes.time.Number(798), HmsToTime(17, 38, 0));
    EXPECT_EQ(quotes.close.Value(799), 24920.0f);
}

TEST_F(RealFoldersTest, BbfinanceKeepsItsMasterNamesAndIgnoresItsBrokenXmaster) {
    // Its EMASTER disagrees with MASTER (another order, a file that MASTER lacks) and its
    // XMASTER is twelve bytes of text.
    OPEN_OR_SKIP(std::string(kAtem) + "msdir_bbfinance");
    ASSERT_EQ(m_bars.GetSymbolCount(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_STREQ(m_bars.GetLongName(i), "") << i;
    EXPECT_STREQ(m_bars.GetName(0), "A2A             ");
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

} // namespace
