#include "quotes/MasterFile.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

MasterEntry Security(int fileNumber, const std::string& symbol, const std::string& name) {
    MasterEntry entry = SecurityEntry(fileNumber, symbol, name);
    entry.firstDate = 970314;
    entry.lastDate = 1030214;
    return entry;
}

class MasterFileTest : public ::testing::Test {
protected:
    void WriteMaster(const std::string& directory, const std::vector<MasterEntry>& entries,
                     const std::string& fileName = "MASTER") {
        WriteBytes(directory + fileName, MasterFileBytes(entries));
    }
    // File number of the record found for `wanted`, or the status when the lookup fails.
    int Find(const std::string& wanted, std::string* directory = nullptr) {
        return FindFrom(m_dir.Path(), wanted, directory);
    }
    int FindFrom(const std::string& start, const std::string& wanted,
                 std::string* directory = nullptr) {
        MasterRecord record;
        std::string found = "untouched";
        const Status status = FindMasterRecord(start, wanted, record, found);
        if (directory)
            *directory = found;
        return status == kStatusSuccess ? record.FileNumber() : status;
    }

    CTempDir m_dir;
};

TEST_F(MasterFileTest, FindsBySymbolOrNameIgnoringCase) {
    WriteMaster(m_dir.Path(),
                {Security(1, "MSFT", "MICROSOFT"), Security(2, "IBM", "INTL BUS MACH")});
    EXPECT_EQ(Find("IBM"), 2);
    EXPECT_EQ(Find("ibm"), 2);
    EXPECT_EQ(Find("INTL BUS MACH"), 2);
    EXPECT_EQ(Find("intl bus mach   "), 2);
    EXPECT_EQ(Find("IB"), kStatusFileNotFound);
    EXPECT_EQ(Find("INTL"), kStatusFileNotFound);
}

TEST_F(MasterFileTest, GivesTheRecordWithDatesConvertedAndTheDirectory) {
    WriteMaster(m_dir.Path(), {Security(7, "IBM", "INTL BUS MACH")});
    MasterRecord record;
    std::string found;
    ASSERT_EQ(FindMasterRecord(m_dir.Path(), "IBM", record, found), kStatusSuccess);
    float first, last;
    std::memcpy(&first, record.bytes + kMasterFirstDateOffset, 4);
    std::memcpy(&last, record.bytes + kMasterLastDateOffset, 4);
    EXPECT_EQ(first, 970314.0f);
    EXPECT_EQ(last, 1030214.0f);
    EXPECT_EQ(record.RecordLength(), 28);
    EXPECT_EQ(record.FieldCount(), 7);
    EXPECT_EQ(found, m_dir.Path());

    // Without the trailing separator the directory is still given with one.
    std::string withoutSeparator = m_dir.Path();
    withoutSeparator.pop_back();
    std::string again;
    EXPECT_EQ(FindFrom(withoutSeparator, "IBM", &again), 7);
    EXPECT_EQ(again, m_dir.Path());
}

TEST_F(MasterFileTest, WantedWordsAreComparedWithAsManySymbolWords) {
    WriteMaster(m_dir.Path(),
                {Security(1, "BRK A", "BERKSHIRE A"), Security(2, "BRK B", "BERKSHIRE B")});
    EXPECT_EQ(Find("BRK"), 1);
    EXPECT_EQ(Find("BRK A"), 1);
    EXPECT_EQ(Find("brk b"), 2);
    EXPECT_EQ(Find("BRK C"), kStatusFileNotFound);
}

TEST_F(MasterFileTest, TopLevelSecuritiesComeBeforeSubdirectoriesInFileOrder) {
    const std::string sub1 = m_dir.MakeSubdirectory("SUB1");
    const std::string sub2 = m_dir.MakeSubdirectory("SUB2");
    WriteMaster(m_dir.Path(),
                {DirectoryEntry("SUB1"), DirectoryEntry("SUB2"), Security(3, "TOP", "TOP CO")});
    WriteMaster(sub1, {Security(11, "TOP", "TOP CO"), Security(12, "BOTH", "BOTH CO")});
    WriteMaster(sub2, {Security(21, "BOTH", "BOTH CO"), Security(22, "ONLY2", "ONLY TWO")});

    std::string directory;
    EXPECT_EQ(Find("TOP", &directory), 3);
    EXPECT_EQ(directory, m_dir.Path());
    EXPECT_EQ(Find("BOTH", &directory), 12);
    EXPECT_EQ(directory, sub1);
    EXPECT_EQ(Find("ONLY2", &directory), 22);
    EXPECT_EQ(directory, sub2);
    EXPECT_EQ(Find("NOWHERE", &directory), kStatusFileNotFound);
    EXPECT_EQ(directory, "untouched");
}

TEST_F(MasterFileTest, NestedSubdirectoriesAreWalkedDepthFirst) {
    const std::string a = m_dir.MakeSubdirectory("A");
    const std::string ab = m_dir.MakeSubdirectory("A/B");
    const std::string c = m_dir.MakeSubdirectory("C");
    WriteMaster(m_dir.Path(), {DirectoryEntry("A"), DirectoryEntry("C")});
    WriteMaster(a, {DirectoryEntry("B"), Security(1, "INA", "IN A")});
    WriteMaster(ab, {Security(2, "DEEP", "DEEP CO")});
    WriteMaster(c, {Security(3, "DEEP", "DEEP CO"), Security(4, "INC", "IN C")});
    std::string directory;
    EXPECT_EQ(Find("DEEP", &directory), 2);
    EXPECT_EQ(directory, ab);
    EXPECT_EQ(Find("INC", &directory), 4);
    EXPECT_EQ(directory, c);
}

TEST_F(MasterFileTest, NamesOfFilesAndSubdirectoriesMatchWhateverTheirCase) {
    const std::string sub = m_dir.MakeSubdirectory("sub1");
    WriteMaster(m_dir.Path(), {DirectoryEntry("SUB1")}, "Master");
    WriteMaster(sub, {Security(5, "LOW", "LOWER CASE")}, "mAsTeR");
    std::string directory;
    EXPECT_EQ(Find("LOW", &directory), 5);
    EXPECT_EQ(directory, sub);
}

TEST_F(MasterFileTest, ABlankFirstNameByteMakesASecurityEntry) {
    MasterEntry entry = Security(9, "ODD", " X         <DIR>");
    WriteMaster(m_dir.Path(), {entry});
    EXPECT_EQ(Find("ODD"), 9);
}

TEST_F(MasterFileTest, EmptyStartingDirectoryMeansTheWorkingDirectory) {
    WriteMaster(m_dir.Path(), {Security(4, "CWD", "WORKING")});
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Path());
    std::string directory;
    const int found = FindFrom("", "CWD", &directory);
    std::filesystem::current_path(previous);
    EXPECT_EQ(found, 4);
    EXPECT_EQ(directory, "");
}

TEST_F(MasterFileTest, MissingOrUnreadableMastersAreNotFound) {
    EXPECT_EQ(Find("ANY"), kStatusFileNotFound);
    WriteBytes(m_dir / "MASTER", Bytes(20, 0));
    EXPECT_EQ(Find("ANY"), kStatusFileNotFound);
    // A header that promises more entries than the file holds ends that master's scan.
    Bytes bytes = MasterFileBytes({Security(1, "SHORT", "SHORT")}, 5);
    WriteBytes(m_dir / "MASTER", bytes);
    EXPECT_EQ(Find("SHORT"), 1);
    EXPECT_EQ(Find("ANY"), kStatusFileNotFound);
    // A missing nested master is skipped.
    m_dir.MakeSubdirectory("EMPTY");
    WriteMaster(m_dir.Path(),
                {DirectoryEntry("EMPTY"), DirectoryEntry("NOSUCH"), Security(2, "AFTER", "AFTER")});
    EXPECT_EQ(Find("AFTER"), 2);
    EXPECT_EQ(Find("ANY"), kStatusFileNotFound);
}

TEST_F(MasterFileTest, EntriesThatLeadOutOfTheTreeAreNotFollowed) {
    const std::string inner = m_dir.MakeSubdirectory("inner");
    WriteMaster(m_dir.Path(), {Security(1, "OUTSIDE", "OUTSIDE")});
    WriteMaster(inner, {DirectoryEntry(".."), DirectoryEntry("."), DirectoryEntry("../inner"),
                        DirectoryEntry("/tmp")});
    EXPECT_EQ(FindFrom(inner, "OUTSIDE"), kStatusFileNotFound);
}

TEST_F(MasterFileTest, LinksBackUpTheTreeEndTheWalk) {
    const std::string sub = m_dir.MakeSubdirectory("SUB");
    std::filesystem::create_directory_symlink(m_dir.Path(), sub + "LOOP");
    std::vector<MasterEntry> entries(40, DirectoryEntry("LOOP"));
    WriteMaster(m_dir.Path(), {DirectoryEntry("SUB")});
    WriteMaster(sub, entries);
    EXPECT_EQ(Find("NOWHERE"), kStatusFileNotFound);
}

TEST_F(MasterFileTest, NestingStopsAtThirtyFourLevels) {
    std::string directory = m_dir.Path();
    std::string relative;
    for (int level = 1; level <= 40; ++level) {
        relative += "D/";
        WriteMaster(directory,
                    {DirectoryEntry("D"), Security(level, "L" + std::to_string(level), "LEVEL")});
        directory = m_dir.MakeSubdirectory(relative.substr(0, relative.size() - 1));
    }
    EXPECT_EQ(Find("L1"), 1);
    EXPECT_EQ(Find("L34"), 34); // the 33rd nested directory
    EXPECT_EQ(Find("L35"), kStatusFileNotFound);
}

TEST(MasterRecordTest, ListedSymbolIsTheFirstWordOfTheArea) {
    struct Case {
        const char* area;
        const char* symbol;
        bool present;
    };
    const Case cases[] = {{"IBM", "IBM", true},
                          {"BRK A", "BRK", true},
                          {" XYZ", "", false},
                          {"", "", false},
                          {"\x01"
                           "ABC",
                           "", false},
                          {"\xE9"
                           "ABC",
                           "", false},
                          {"AB\x1F"
                           "C",
                           "AB", true},
                          {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", true}};
    for (const Case& c : cases) {
        MasterEntry entry;
        entry.symbol = c.area;
        const Bytes record = MasterRecordBytes(entry);
        char symbol[17];
        EXPECT_EQ(TakeMasterSymbol(record.data(), symbol), c.present) << c.area;
        EXPECT_STREQ(symbol, c.symbol);
    }
}

} // namespace
