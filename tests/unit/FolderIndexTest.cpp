// The one reader of a folder's index files: what it gives, in which order, and that MASTER is
// settled before EMASTER or XMASTER are opened.

#include "quotes/FolderIndex.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char* StateName(IndexFileState state) {
    switch (state) {
    case IndexFileState::kAbsent:
        return "absent";
    case IndexFileState::kUnusable:
        return "unusable";
    case IndexFileState::kRead:
        break;
    }
    return "read";
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

class FolderIndexTest : public ::testing::Test {
protected:
    // Every callback as a line: "master <state> <entries>[ damaged]", "<file> <symbol>|<name>|
    // <long name> F<n>", "emaster <state>[ agrees]", "xmaster <state>".
    Texts Events(const std::string& masterPath = "", bool useMaster = true) {
        Texts events;
        FolderIndexVisitor visitor;
        visitor.master = [&](const MasterFound& found) {
            static const char* const kStates[] = {"absent", "unreadable", "not a master", "read"};
            events.push_back("master " + std::string(kStates[int(found.state)]) + " " +
                             std::to_string(found.entries) + (found.damaged ? " damaged" : ""));
            if (m_fnBetween)
                m_fnBetween();
            return useMaster;
        };
        visitor.entry = [&](const FolderEntry& entry) {
            static const char* const kFiles[] = {"M", "E", "X"};
            events.push_back(std::string(kFiles[int(entry.file)]) + " " +
                             std::string(entry.symbol) + "|" + Trimmed(entry.name) + "|" +
                             Trimmed(entry.longName) + " F" +
                             std::to_string(entry.source.fileNumber));
        };
        visitor.indexFile = [&](const IndexFileRead& read) {
            events.push_back(
                std::string(read.file == IndexFileKind::kEmaster ? "emaster " : "xmaster ") +
                StateName(read.state) + (read.agrees ? " agrees" : ""));
        };
        ReadFolderIndex(m_dir.Path(), masterPath, visitor);
        return events;
    }

    CTempDir m_dir;
    std::function<void()> m_fnBetween;
};

TEST_F(FolderIndexTest, MasterEntriesComeInFileOrderThenXmaster) {
    WriteBytes(m_dir / "MASTER",
               MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA"), DirectoryEntry("SUB"),
                                SecurityEntry(2, "", "BETA")}));
    WriteBytes(m_dir / "XMASTER", XmasterFileBytes({{300, "CCC", "GAMMA", ""}}));
    EXPECT_EQ(Events(),
              (Texts{"master read 3 damaged", "emaster absent", "M AAA|ALPHA| F1",
                     // a directory entry, and a damaged one under its name with the blanks
                     "M SUB        <DIR>|SUB        <DIR>| F0", "M BETA            |BETA| F2",
                     "X CCC|GAMMA|GAMMA F300", "xmaster read"}));
}

TEST_F(FolderIndexTest, AFolderReadWithoutMasterListsEmaster) {
    const Bytes emaster = EmasterFileBytes({{4, "EEE", "EPSILON", "EPSILON LONG"}});
    const Texts fromEmaster = {"emaster read", "xmaster absent"};
    const struct {
        const char* what;
        Bytes master; // empty: none
        bool useMaster;
        const char* masterEvent;
    } cases[] = {
        {"none", {}, true, "master absent 0"},
        {"set aside", MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA")}), false, "master read 1"},
        {"no MASTER", Bytes(53 * 2, 0), true, "master not a master 0"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(m_dir / "MASTER");
        if (!c.master.empty())
            WriteBytes(m_dir / "MASTER", c.master);
        WriteBytes(m_dir / "EMASTER", emaster);
        EXPECT_EQ(Events("", c.useMaster), (Texts{c.masterEvent, "E EEE|EPSILON|EPSILON LONG F4",
                                                  "emaster read", "xmaster absent"}))
            << c.what;
    }
}

// The caller may rewrite MASTER, and the folder, when it is asked: nothing else was read yet.
TEST_F(FolderIndexTest, EmasterAndXmasterAreOpenedOnlyAfterMasterIsSettled) {
    WriteBytes(m_dir / "MASTER", MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA")}));
    m_fnBetween = [this] {
        WriteBytes(m_dir / "EMASTER", EmasterFileBytes({{1, "AAA", "ALPHA", "WRITTEN BETWEEN"}}));
        WriteText(m_dir / "XMASTER", "broken");
    };
    EXPECT_EQ(Events(), (Texts{"master read 1", "emaster read agrees",
                               "M AAA|ALPHA|WRITTEN BETWEEN F1", "xmaster unusable"}));
}

TEST_F(FolderIndexTest, AGivenMasterPathIsReadAsItIsNamed) {
    WriteBytes(m_dir / "master", MasterFileBytes({SecurityEntry(1, "LOW", "LOWER CASE")}));
    WriteBytes(m_dir / "OLDMASTER", MasterFileBytes({SecurityEntry(2, "OLD", "OLD ONE")}));
    EXPECT_EQ(Events()[2], "M LOW|LOWER CASE| F1");
    EXPECT_EQ(Events(m_dir / "OLDMASTER")[2], "M OLD|OLD ONE| F2");
    std::filesystem::create_directory(m_dir / "SUB");
    EXPECT_EQ(Events(m_dir / "SUB")[0], "master unreadable 0");
    EXPECT_EQ(Events(m_dir / "NOMASTER")[0], "master absent 0");
}

} // namespace
