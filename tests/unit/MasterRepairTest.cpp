#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class MasterRepairTest : public ::testing::Test {
protected:
    void SetUp() override {
        Bytes damaged = MasterRecordBytes(SecurityEntry(3, "", "NAMED TOO"));
        damaged[12] = 0;    // the name ends after NAMED
        damaged[36] = 0x01; // a control byte, then leftovers that the repair keeps cleaned
        damaged[44] = 'Q';
        m_original = MasterFileBytes(
            {SecurityEntry(1, "AAA", "ALPHA"), SecurityEntry(2, "", "ACME CORP"),
             SecurityEntry(3, "", "NAMED TOO"), SecurityEntry(4, " XYZ", "SPACED")});
        std::copy(damaged.begin(), damaged.end(), m_original.begin() + 3 * 53);
        m_original.push_back(0x5A); // a trailing piece shorter than a record
        WriteBytes(Master(), m_original);
    }
    std::string Master() const { return m_dir / "MASTER"; }
    int Open() {
        m_bars.SetMasterPath(Master().c_str());
        return m_bars.ReadMaster();
    }

    CTempDir m_dir;
    Bytes m_original;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};

TEST_F(MasterRepairTest, DecliningLeavesTheFileAsItWas) {
    m_messages.Answer(false);
    EXPECT_EQ(Open(), 1);
    ASSERT_EQ(m_messages.m_questions.size(), 1u);
    EXPECT_EQ(m_messages.m_questions[0],
              "The master file\n" + Master() +
                  "\nappears corrupted.\n\nShould Tickvane try to repair this file now?\n\n"
                  "(Hint: There is a control for this in\nthe View > Options dialog.)");
    EXPECT_EQ(m_messages.TakeShown(), std::vector<std::string>{"File read failed"});
    EXPECT_EQ(m_bars.GetSymbolCount(), 0);
    EXPECT_EQ(ReadBytes(Master()), m_original);
    EXPECT_FALSE(std::filesystem::exists(Master() + ".bak"));
    // Yes rewrites a file, so Enter answers No.
    EXPECT_EQ(m_messages.m_defaults, std::vector<DefaultAnswer>{DefaultAnswer::No});
}

// A file saved under the name MASTER that is none is never listed and never rewritten, even where
// damaged masters are repaired without asking.
TEST_F(MasterRepairTest, FilesThatAreNoMasterAreRefusedUntouched) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.resize(53 * 4, 0x41);
    Bytes random(53 * 6);
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    random[0] = 5; // the header counts the five records that follow
    random[1] = 0;
    Bytes shared =
        MasterFileBytes({SecurityEntry(4, "AAA", "ALPHA"), SecurityEntry(4, "", "BETA")});
    Bytes wide = MasterFileBytes({SecurityEntry(1, "", "WIDE")});
    wide[53 + 3] = 80; // records of 80 bytes
    const std::string text = "date,open,high,low,close\n2003-02-14,1,2,0.5,1.5\n";
    const struct {
        const char* what;
        Bytes bytes;
        const char* why;
    } cases[] = {
        {"text", Bytes(text.begin(), text.end()),
         "it holds 48 bytes, fewer than the 53 of a header"},
        {"picture", png, "its header counts 20617 entries, but it holds 3"},
        {"random bytes", random, "entry 1 has records of 20 bytes in -48 fields"},
        {"zeros", Bytes(53 * 3, 0), "its header counts 0 entries, but it holds 2"},
        {"empty", Bytes{}, "it is empty"},
        {"shared file number", shared, "entry 1 and entry 2 both name F4"},
        {"impossible records", wide, "entry 1 has records of 80 bytes in 7 fields"},
    };
    m_bars.m_bMasterFix = 1;
    for (const auto& c : cases) {
        WriteBytes(Master(), c.bytes);
        EXPECT_EQ(Open(), 1) << c.what;
        EXPECT_EQ(m_bars.GetSymbolCount(), 0) << c.what;
        const auto shown = m_messages.TakeShown();
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0].rfind("The file\n" + Master() + "\nis not a MASTER file: ", 0), 0u)
            << shown[0];
        EXPECT_NE(shown[0].find(c.why), std::string::npos) << shown[0];
        EXPECT_EQ(m_bars.GetMasterProblem().empty(), false) << c.what;
        EXPECT_EQ(ReadBytes(Master()), c.bytes) << c.what;
        EXPECT_FALSE(std::filesystem::exists(Master() + ".bak")) << c.what;
    }
    EXPECT_TRUE(m_messages.m_questions.empty());
}

TEST_F(MasterRepairTest, RepairGivesDamagedEntriesTheirNamesAndNothingElse) {
    m_messages.Answer(true);
    ASSERT_EQ(Open(), 0);
    EXPECT_STREQ(m_bars.GetSymbol(1), "ACME CORP       "); // listed under the name, blanks kept
    EXPECT_STREQ(m_bars.GetSymbol(2), "NAMED");
    EXPECT_STREQ(m_bars.GetSymbol(3), "SPACED          ");
    const Bytes repaired = ReadBytes(Master());
    ASSERT_EQ(repaired.size(), m_original.size());
    for (std::size_t i = 0; i < repaired.size(); ++i) {
        const std::size_t record = i / 53, offset = i % 53;
        const bool symbolArea =
            (record == 2 || record == 3 || record == 4) && offset >= 36 && offset < 52;
        if (!symbolArea) {
            EXPECT_EQ(repaired[i], m_original[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(std::string(repaired.begin() + 2 * 53 + 36, repaired.begin() + 2 * 53 + 52),
              "ACME CORP       ");
    // A name that ends in a NUL is copied up to it; the cleaned bytes after it stay.
    EXPECT_EQ(std::string(repaired.begin() + 3 * 53 + 36, repaired.begin() + 3 * 53 + 52),
              std::string("NAMED\0\0\0Q\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(std::string(repaired.begin() + 4 * 53 + 36, repaired.begin() + 4 * 53 + 52),
              "SPACED          ");
    EXPECT_FALSE(std::filesystem::exists(Master() + ".bak"));

    CBars again(m_settings, m_messages);
    again.SetMasterPath(Master().c_str());
    EXPECT_EQ(again.ReadMaster(), 0);
    EXPECT_EQ(m_messages.m_questions.size(), 1u); // the repaired file asks nothing
}

TEST_F(MasterRepairTest, MasterFixRepairsWithoutAsking) {
    m_bars.m_bMasterFix = 1;
    ASSERT_EQ(Open(), 0);
    EXPECT_TRUE(m_messages.m_questions.empty());
    EXPECT_NE(ReadBytes(Master()), m_original);
}

TEST_F(MasterRepairTest, AFailedReplacementKeepsTheMaster) {
    m_bars.SetFileReplacer([](const std::string&, const std::string&) { return false; });
    m_messages.Answer(true);
    EXPECT_EQ(Open(), 1);
    EXPECT_EQ(ReadBytes(Master()), m_original);
    EXPECT_FALSE(std::filesystem::exists(Master() + ".bak"));
}

TEST_F(MasterRepairTest, AnUnwritableWorkFileKeepsTheMaster) {
    std::filesystem::create_directory(Master() + ".bak"); // cannot be opened for writing
    m_messages.Answer(true);
    EXPECT_EQ(Open(), 1);
    EXPECT_EQ(ReadBytes(Master()), m_original);
}

} // namespace
