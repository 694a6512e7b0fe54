#include "platform/FileNames.h"
#include "platform/DirectoryListing.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

// Makes the directory look untouched for an hour, so that its listing is kept.
void Age(const std::string& directory) {
    const timespec times[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, directory.c_str(), times, 0), 0);
}

std::string Opened(const std::string& directory, const std::string& name) {
    std::string resolved;
    return OpenFileNoCase(directory, name, "rb", &resolved) ? resolved.substr(directory.size())
                                                            : "<none>";
}

TEST(FileNamesTest, ExactNamesComeFirstThenAnyCase) {
    CTempDir dir;
    WriteText(dir / "f1.dat", "lower");
    EXPECT_EQ(Opened(dir.Path(), "F1.DAT"), "f1.dat");
    EXPECT_EQ(Opened(dir.Path(), "f1.DaT"), "f1.dat");
    WriteText(dir / "F1.DAT", "upper");
    EXPECT_EQ(Opened(dir.Path(), "F1.DAT"), "F1.DAT");
    EXPECT_EQ(Opened(dir.Path(), "f1.dat"), "f1.dat");
    WriteText(dir / "mAsTeR", "odd");
    EXPECT_EQ(Opened(dir.Path(), "master"), "mAsTeR");
    EXPECT_EQ(Opened(dir.Path(), "F2.DAT"), "<none>");
    EXPECT_EQ(Opened(dir / "missing/", "F1.DAT"), "<none>");
}

TEST(FileNamesTest, SubdirectoriesMatchInAnyCaseButFilesDoNot) {
    CTempDir dir;
    dir.MakeSubdirectory("Sub1");
    WriteText(dir / "SUB2", "a file, not a directory");
    EXPECT_EQ(ResolveSubdirectory(dir.Path(), "SUB1"), dir / "Sub1");
    EXPECT_EQ(ResolveSubdirectory(dir.Path(), "SUB2"), "");
    EXPECT_EQ(ResolveSubdirectory(dir.Path(), "SUB3"), "");
}

TEST(FileNamesTest, KeptListingsFollowChangesOfTheDirectory) {
    CTempDir dir;
    WriteText(dir / "F1.DAT", "x");
    Age(dir.Path());
    EXPECT_EQ(EntriesNamedNoCase(dir.Path(), "f1.dop")->size(), 0u);
    EXPECT_EQ(Opened(dir.Path(), "F1.DOP"), "<none>");
    WriteText(dir / "f1.Dop", "added"); // changes the directory
    EXPECT_EQ(Opened(dir.Path(), "F1.DOP"), "f1.Dop");
    Age(dir.Path());
    EXPECT_EQ(Opened(dir.Path(), "F1.DOP"), "f1.Dop");
    std::filesystem::remove(dir / "f1.Dop");
    EXPECT_EQ(Opened(dir.Path(), "F1.DOP"), "<none>");
    EXPECT_FALSE(EntriesNamedNoCase(dir / "F1.DAT", "x").has_value()); // not a directory
}

TEST(FileNamesTest, SeparatorsAndCase) {
    std::string directory = "quotes";
    AppendSeparator(directory);
    EXPECT_EQ(directory, std::string("quotes") + kPathSeparator);
    AppendSeparator(directory);
    EXPECT_EQ(directory, std::string("quotes") + kPathSeparator);
    std::string empty;
    AppendSeparator(empty);
    EXPECT_EQ(empty, "");
    EXPECT_TRUE(EqualsNoCase("Master", "MASTER"));
    EXPECT_FALSE(EqualsNoCase("MASTER", "MASTERS"));
    EXPECT_FALSE(EqualsNoCase("\xC9T\xC9", "\xE9T\xE9")); // only ASCII letters fold
}

} // namespace
