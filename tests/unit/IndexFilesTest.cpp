// The symbol directory beyond MASTER: long names from EMASTER, the securities of XMASTER, folders
// opened by any index file, and quote files that are not regular files.

#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "platform/MemorySettings.h"
#include "quotes/PriceFile.h"
#include "quotes/QuoteFolder.h"
#include "tests/support/ChartFixture.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// Six rows whose last close is the file number, so every load tells which file it read.
Bytes Prices(int fileNumber) {
    std::vector<PriceRecord> records;
    for (int i = 0; i < 6; ++i)
        records.push_back(
            {1030102.0f + float(i), 10, 11, 9, float(i == 5 ? fileNumber : 10), 100, 7});
    return PriceFileBytes(28, records);
}

class IndexFilesTest : public CChartFixture {
protected:
    void WriteMaster(const std::vector<MasterEntry>& entries) {
        WriteBytes(m_dir / "MASTER", MasterFileBytes(entries));
        for (const MasterEntry& entry : entries)
            WriteBytes(m_dir / ("F" + std::to_string(entry.fileNumber) + ".DAT"),
                       Prices(entry.fileNumber));
    }
    void WriteXmaster(const std::vector<IndexEntry>& entries) {
        WriteBytes(m_dir / "XMASTER", XmasterFileBytes(entries));
        for (const IndexEntry& entry : entries)
            WriteBytes(m_dir / ("F" + std::to_string(entry.fileNumber) + ".MWD"),
                       Prices(entry.fileNumber));
    }
    int Open(const std::string& name = "MASTER") {
        EXPECT_EQ(m_bars.SetMasterPath(MasterPathToOpen(m_dir / name).c_str()), 1);
        return m_bars.ReadMaster();
    }
    Texts Listing() const {
        Texts texts;
        for (int i = 0; i < m_bars.GetSymbolCount(); ++i)
            texts.push_back(std::string(m_bars.GetSymbol(i)) + "|" + m_bars.GetName(i));
        return texts;
    }
};

IndexEntry Emaster(int fileNumber, const std::string& symbol, const std::string& longName) {
    return IndexEntry{fileNumber, symbol, longName.substr(0, 16), longName};
}

TEST_F(IndexFilesTest, AnAgreeingEmasterGivesLongNamesAndXmasterAddsSecurities) {
    // A vendor's flag in the last byte of the symbol area is no part of the symbol.
    WriteMaster({SecurityEntry(1, "AAA            *", "ALPHA INDUSTRIES"),
                 SecurityEntry(2, "BBB", "BETA")});
    WriteBytes(m_dir / "EMASTER", EmasterFileBytes({Emaster(1, "AAA", "ALPHA INDUSTRIES WORLDWIDE"),
                                                    Emaster(2, "BBB", "")}));
    WriteXmaster({IndexEntry{256, "CCC", "GAMMA CAF\xC9 HOLDINGS", ""},
                  IndexEntry{4000, "DDD", "DELTA", ""}});
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(Listing(), (Texts{"AAA|ALPHA INDUSTRIES WORLDWIDE", "BBB|BETA            ",
                                "CCC|GAMMA CAF\u00C9 HOLDINGS", "DDD|DELTA"}));
    EXPECT_STREQ(m_bars.GetShortName(0), "ALPHA INDUSTRIES");
    EXPECT_STREQ(m_bars.GetLongName(1), "");
    // XMASTER entries load from their own F<n>.MWD, by stepping and by search alike.
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    m_bars.StepSymbol(3);
    EXPECT_EQ(LastClose(), 4000.0f);
    m_bars.SearchSetSymbolIndex("CCC");
    EXPECT_EQ(LastClose(), 256.0f);
    EXPECT_EQ(m_bars.GetQuotes().count, 6);
    EXPECT_TRUE(m_messages.TakeShown().empty());

    // The whole-folder reader of the export lists the same symbols and names.
    Texts folder;
    FolderVisitor visitor;
    visitor.security = [&](const FolderSecurity& security) {
        folder.push_back(std::string(security.symbol) + "|" + std::string(security.name));
    };
    visitor.note = [&](FolderNoteKind, const std::string& text) { folder.push_back(text); };
    std::vector<std::string> subdirectories;
    ASSERT_TRUE(ReadQuoteFolder(m_dir.Path(), visitor, subdirectories));
    EXPECT_EQ(folder, (Texts{"AAA|ALPHA INDUSTRIES WORLDWIDE", "BBB|BETA",
                             "CCC|GAMMA CAF\xC9 HOLDINGS", "DDD|DELTA"}));
}

TEST_F(IndexFilesTest, ADisagreeingEmasterAndABrokenXmasterAreIgnored) {
    WriteMaster({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA")});
    const struct {
        std::vector<IndexEntry> emaster;
    } cases[] = {{{Emaster(2, "BBB", "BETA LONG"), Emaster(1, "AAA", "ALPHA LONG")}},
                 {{Emaster(1, "AAA", "ALPHA LONG"), Emaster(2, "XXX", "BETA LONG")}},
                 {{Emaster(1, "AAA", "ALPHA LONG")}}};
    WriteText(m_dir / "XMASTER", "broken file\n");
    for (const auto& c : cases) {
        WriteBytes(m_dir / "EMASTER", EmasterFileBytes(c.emaster));
        ASSERT_EQ(Open(), 0);
        EXPECT_EQ(Listing(), (Texts{"AAA|ALPHA           ", "BBB|BETA            "}));
    }
    // An XMASTER that counts more records than it holds adds none of them.
    WriteBytes(m_dir / "XMASTER", XmasterFileBytes({IndexEntry{300, "CCC", "GAMMA", ""}}, 2));
    ASSERT_EQ(Open(), 0);
    EXPECT_EQ(m_bars.GetSymbolCount(), 2);
    EXPECT_TRUE(m_messages.TakeShown().empty());
}

TEST_F(IndexFilesTest, FoldersWithoutAUsableMasterOpenFromEmasterAndXmaster) {
    WriteBytes(m_dir / "Emaster", EmasterFileBytes({Emaster(3, "EEE", "EPSILON LONG NAME")}));
    WriteBytes(m_dir / "F3.DAT", Prices(3));
    WriteXmaster({IndexEntry{700, "ZZZ", "ZETA", ""}});
    ASSERT_EQ(Open("xmaster"), 0); // no MASTER at all: nothing to say
    EXPECT_EQ(Listing(), (Texts{"EEE|EPSILON LONG NAME", "ZZZ|ZETA"}));
    ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    EXPECT_EQ(LastClose(), 3.0f);
    EXPECT_TRUE(m_messages.TakeShown().empty());

    WriteBytes(m_dir / "MASTER", MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA")}, 5));
    ASSERT_EQ(Open(), 0); // a MASTER that miscounts is reported, the rest still opens
    EXPECT_EQ(m_bars.GetSymbolCount(), 2);
    const Texts shown = m_messages.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("is not a MASTER file"), std::string::npos) << shown[0];
}

TEST_F(IndexFilesTest, OpenedPathsLeadToTheFoldersMaster) {
    WriteText(m_dir / "Master", "");
    const std::string sub = m_dir.MakeSubdirectory("only-x");
    WriteText(sub + "xmaster", "");
    const std::string none = m_dir.MakeSubdirectory("none");
    const struct {
        std::string opened, master;
    } cases[] = {
        {m_dir.Path(), m_dir / "Master"},      {m_dir / "none/..", m_dir / "none/../Master"},
        {m_dir / "EMASTER", m_dir / "Master"}, {m_dir / "XMaster", m_dir / "Master"},
        {m_dir / "Master", m_dir / "Master"},  {sub, sub + "MASTER"},
        {sub + "XMASTER", sub + "MASTER"},     {none, none},
        {m_dir / "F1.DAT", m_dir / "F1.DAT"},  {m_dir / "OLDMASTER", m_dir / "OLDMASTER"}};
    for (const auto& c : cases)
        EXPECT_EQ(MasterPathToOpen(c.opened), c.master) << c.opened;
    // The chart object takes an XMASTER path for its folder's MASTER, which the repair may write.
    EXPECT_EQ(m_bars.SetMasterPath((m_dir / "XMASTER").c_str()), 1);
    EXPECT_EQ(m_bars.GetMasterPath(), m_dir / "Master");
}

TEST_F(IndexFilesTest, QuoteFilesThatAreNotRegularFilesFailAtOnce) {
    ASSERT_EQ(::mkfifo((m_dir / "MASTER").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Open(), 1);
    ASSERT_EQ(std::remove((m_dir / "MASTER").c_str()), 0);
    WriteMaster({SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "BBB", "BETA")});
    ASSERT_EQ(std::remove((m_dir / "F2.DAT").c_str()), 0);
    ASSERT_EQ(::mkfifo((m_dir / "F2.DAT").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((m_dir / "F2.DOP").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (m_dir / "EMASTER").c_str()), 0);
    ASSERT_EQ(::symlink("XMASTER", (m_dir / "XMASTER").c_str()), 0); // a link to itself
    ASSERT_EQ(Open(), 0);
    m_bars.StepSymbol(1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(m_messages.TakeShown(), Texts{"Read failed for symbol BBB"});
    QuoteBuffer buffer{};
    ASSERT_EQ(AllocQuoteBuffer(buffer, 10), kStatusSuccess);
    EXPECT_EQ(ReadSecurity(buffer, m_dir.Path(), "BBB", -1, 10), kStatusFileOpen);
    FreeQuoteBuffer(buffer);
}

} // namespace
