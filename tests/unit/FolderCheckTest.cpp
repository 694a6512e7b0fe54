// The check of a quote folder: a sound folder has no finding, and each fault planted in it gives
// the finding of its code, level and place, and nothing else.

#include "quotes/FolderCheck.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Daily records of 28 bytes: date, open, high, low, close, volume, open interest.
PriceRecord Day(float date, float open = 10, float high = 12, float low = 9, float close = 11,
                float volume = 100) {
    return {date, open, high, low, close, volume, 0};
}

const std::vector<PriceRecord> kDays = {Day(1030102), Day(1030103), Day(1030106)};

// AAA in F1.DAT and BBB in F2.DAT through MASTER and an agreeing EMASTER, CCC in F300.MWD through
// XMASTER, every index date that of the records.
struct SoundFolder {
    std::vector<MasterEntry> master;
    std::vector<IndexEntry> emaster;
    std::vector<IndexEntry> xmaster;
    std::vector<PriceRecord> aaa = kDays, bbb = kDays, ccc = kDays;

    SoundFolder() {
        for (auto [number, symbol] : {std::pair{1, "AAA"}, std::pair{2, "BBB"}}) {
            MasterEntry entry = SecurityEntry(number, symbol, std::string(symbol) + " INC");
            entry.firstDate = 1030102;
            entry.lastDate = 1030106;
            master.push_back(entry);
            emaster.push_back({number, symbol, entry.name, "", 0x7F, 'D', 1030102, 1030106});
        }
        xmaster.push_back({300, "CCC", "CCC HOLDINGS", "", 0x7F, 'D', 1030102, 1030106});
    }

    void Write(const CTempDir& dir) const {
        WriteBytes(dir / "MASTER", MasterFileBytes(master));
        WriteBytes(dir / "EMASTER", EmasterFileBytes(emaster));
        WriteBytes(dir / "XMASTER", XmasterFileBytes(xmaster));
        WriteBytes(dir / "F1.DAT", PriceFileBytes(28, aaa));
        WriteBytes(dir / "F2.DAT", PriceFileBytes(28, bbb));
        WriteBytes(dir / "F300.MWD", PriceFileBytes(28, ccc));
    }
};

// Each finding as "level|where|code".
Texts Findings(const std::string& folder) {
    Texts found;
    const std::size_t count = CheckFolder(folder, [&](const Finding& finding) {
        found.push_back(std::string(FindingLevelName(finding.level)) + "|" + finding.where + "|" +
                        finding.code);
        EXPECT_FALSE(finding.message.empty()) << finding.code;
    });
    EXPECT_EQ(count, found.size());
    return found;
}

TEST(FolderCheckTest, ASoundFolderHasNoFinding) {
    CTempDir dir;
    SoundFolder().Write(dir);
    EXPECT_EQ(Findings(dir.Path()), Texts());
}

TEST(FolderCheckTest, EachPlantedFaultIsFoundWithItsCodeAndPlace) {
    const struct {
        const char* what;
        std::function<void(SoundFolder&)> plant;    // into the folder before it is written
        std::function<void(const CTempDir&)> after; // into the written folder
        Texts expected;
    } cases[] = {
        {"a broken XMASTER",
         nullptr,
         [](const CTempDir& dir) { WriteText(dir / "XMASTER", "broken file\n"); },
         {"error|XMASTER|index-damaged", "warning|F300.MWD|price-file-unlisted"}},
        {"a MASTER that is none",
         nullptr,
         [](const CTempDir& dir) { WriteBytes(dir / "MASTER", Bytes(53 * 2, 0)); },
         {"error|MASTER|index-damaged"}},
        {"EMASTER in another order",
         [](SoundFolder& f) { std::swap(f.emaster[0], f.emaster[1]); },
         nullptr,
         {"warning|EMASTER|emaster-disagrees"}},
        {"a missing price file",
         nullptr,
         [](const CTempDir& dir) { fs::remove(dir / "F2.DAT"); },
         {"error|F2.DAT|price-file-missing"}},
        {"a directory for a price file",
         nullptr,
         [](const CTempDir& dir) {
             fs::remove(dir / "F2.DAT");
             fs::create_directory(dir / "F2.DAT");
         },
         {"error|F2.DAT|price-file-unreadable"}},
        {"a price file no index lists",
         nullptr,
         [](const CTempDir& dir) { WriteBytes(dir / "f9.dat", PriceFileBytes(28, kDays)); },
         {"warning|f9.dat|price-file-unlisted"}},
        {"a piece of a record at the end",
         nullptr,
         [](const CTempDir& dir) {
             Bytes bytes = PriceFileBytes(28, kDays);
             bytes.resize(bytes.size() + 5, 0);
             WriteBytes(dir / "F1.DAT", bytes);
         },
         {"error|F1.DAT|record-length"}},
        {"a header that counts more than the file holds",
         nullptr,
         [](const CTempDir& dir) { WriteBytes(dir / "F1.DAT", PriceFileBytes(28, kDays, 9)); },
         {"error|F1.DAT|record-count"}},
        {"a header that counts fewer",
         nullptr,
         [](const CTempDir& dir) { WriteBytes(dir / "F2.DAT", PriceFileBytes(28, kDays, 3)); },
         // the last record read is then the second
         {"warning|F2.DAT|record-count", "warning|BBB 2003-01-03|last-date-stale"}},
        {"records whose length names no columns",
         [](SoundFolder& f) {
             f.master[1].recordLength = 36;
             f.master[1].fieldCount = 9;
         },
         nullptr,
         {"error|F2.DAT|fields-undeterminable"}},
        {"an F<n>.DOP without a date",
         nullptr,
         [](const CTempDir& dir) { WriteText(dir / "F1.DOP", "\"OPEN\",0,0\n\"CLOSE\",0,0\n"); },
         {"error|F1.DOP|dop-damaged"}},
        {"a date that is no day",
         [](SoundFolder& f) { f.aaa[1][0] = 1030231; },
         nullptr,
         {"error|AAA 1030231|date-invalid"}},
        {"a date before the one before it",
         [](SoundFolder& f) { f.aaa[1][0] = 1021231; },
         nullptr,
         {"error|AAA 2002-12-31|date-order"}},
        {"a date twice",
         [](SoundFolder& f) { f.bbb[2][0] = 1030103; },
         nullptr,
         // the index's last date is then later than the file's
         {"warning|BBB 2003-01-03|date-duplicate", "warning|BBB 2003-01-03|last-date-stale"}},
        {"an open of 0",
         [](SoundFolder& f) { f.ccc[0][1] = 0; },
         nullptr,
         {"warning|CCC 2003-01-02|price-not-positive"}},
        {"a negative low",
         [](SoundFolder& f) { f.ccc[2][3] = -1; },
         nullptr,
         {"warning|CCC 2003-01-06|price-not-positive"}},
        {"a high below the low",
         [](SoundFolder& f) { f.aaa[0][2] = 8; },
         nullptr,
         {"warning|AAA 2003-01-02|high-below-low"}},
        {"a close above the high",
         [](SoundFolder& f) { f.aaa[2][4] = 13; },
         nullptr,
         {"warning|AAA 2003-01-06|close-outside-range"}},
        {"an open below the low",
         [](SoundFolder& f) { f.aaa[2][1] = 8.5f; },
         nullptr,
         {"warning|AAA 2003-01-06|open-outside-range"}},
        {"a negative volume",
         [](SoundFolder& f) { f.bbb[0][5] = -100; },
         nullptr,
         {"warning|BBB 2003-01-02|volume-negative"}},
        {"a symbol twice, in another case",
         [](SoundFolder& f) { f.xmaster[0].symbol = "aaa"; },
         nullptr,
         {"warning|aaa|symbol-duplicate"}},
        {"an index last date past the data",
         [](SoundFolder& f) { f.master[1].lastDate = 1030107; },
         nullptr,
         {"warning|BBB 2003-01-06|last-date-stale"}},
        {"an index first date a day early",
         [](SoundFolder& f) { f.xmaster[0].firstDate = 1030101; },
         nullptr,
         {"warning|CCC 2003-01-02|first-date-disagrees"}},
    };
    for (const auto& c : cases) {
        CTempDir dir;
        SoundFolder folder;
        if (c.plant)
            c.plant(folder);
        folder.Write(dir);
        if (c.after)
            c.after(dir);
        EXPECT_EQ(Findings(dir.Path()), c.expected) << c.what;
    }
}

TEST(FolderCheckTest, AFolderWithoutIndexFilesIsOneFinding) {
    CTempDir dir;
    const Texts found = Findings(dir.Path());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "error|" + dir.Path() + "|index-damaged");
}

TEST(FolderCheckTest, EveryRecordWithAFindingIsReportedOnce) {
    CTempDir dir;
    SoundFolder folder;
    for (int i = 0; i < 50; ++i)
        folder.aaa.push_back(Day(float(1030107 + i % 20), 0));
    folder.master[0].lastDate = 1030126;
    folder.Write(dir);
    int opens = 0, order = 0;
    CheckFolder(dir.Path(), [&](const Finding& finding) {
        opens += finding.code == "price-not-positive";
        order += finding.code == "date-order";
        EXPECT_EQ(finding.symbol, "AAA");
    });
    EXPECT_EQ(opens, 50);
    EXPECT_EQ(order, 2); // where the dates start again from the 7th
}

} // namespace
