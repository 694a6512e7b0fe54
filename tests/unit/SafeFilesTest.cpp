// The work file that every writer replaces its target through.

#include "platform/SafeFiles.h"
#include "tests/support/MetaStockWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const Bytes kOld = {'o', 'l', 'd'};

void Write(CWorkFile& work, const std::string& text) {
    ASSERT_TRUE(work.IsOpen());
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), work.File()), text.size());
}

std::string Text(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

class WorkFileTest : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(Target(), kOld); }
    std::string Target() const { return m_dir / "chart.csv"; }
    // Everything in the folder besides the target.
    std::vector<std::string> Others() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path()))
            if (entry.path().filename() != "chart.csv")
                names.push_back(entry.path().filename().string());
        return names;
    }

    CTempDir m_dir;
};

TEST_F(WorkFileTest, CommitReplacesTheTargetAndLeavesNothingElse) {
    for (const bool unique : {false, true}) {
        WriteBytes(Target(), kOld);
        auto work = unique ? std::make_unique<CWorkFile>(Target(), CWorkFile::UniqueName{})
                           : std::make_unique<CWorkFile>(Target());
        EXPECT_EQ(fs::path(work->WorkPath()).parent_path(), fs::path(Target()).parent_path());
        Write(*work, unique ? "unique" : "part");
        EXPECT_EQ(ReadBytes(Target()), kOld); // untouched until the commit
        EXPECT_EQ(work->Commit(), CWorkFile::Failure::kNone);
        EXPECT_EQ(Text(Target()), unique ? "unique" : "part");
        EXPECT_TRUE(Others().empty());
    }
}

TEST_F(WorkFileTest, AWorkFileNotCommittedIsRemovedAndTheTargetKept) {
    {
        CWorkFile work(Target());
        Write(work, "half");
    }
    {
        CWorkFile work(Target(), CWorkFile::UniqueName{});
        Write(work, "half");
        work.Discard();
    }
    EXPECT_EQ(ReadBytes(Target()), kOld);
    EXPECT_TRUE(Others().empty());
}

TEST_F(WorkFileTest, AFailedReplacementRemovesTheWorkFile) {
    CWorkFile work(Target(), m_dir / "MASTER.bak");
    Write(work, "new");
    EXPECT_EQ(work.Commit([](const std::string&, const std::string&) { return false; }),
              CWorkFile::Failure::kReplace);
    EXPECT_EQ(ReadBytes(Target()), kOld);
    EXPECT_TRUE(Others().empty());
}

// A work name that something else already has is neither written through nor removed.
TEST_F(WorkFileTest, AWorkNameThatIsNoRegularFileIsLeftAlone) {
    const std::string folder = m_dir / "folder.part";
    fs::create_directory(folder);
    const std::string fifo = m_dir / "fifo.part";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string elsewhere = m_dir / "elsewhere";
    WriteBytes(elsewhere, kOld);
    const std::string link = m_dir / "link.part";
    fs::create_symlink(elsewhere, link);
    for (const std::string& name : {folder, fifo, link}) {
        CWorkFile work(Target(), name);
        EXPECT_FALSE(work.IsOpen()) << name;
        EXPECT_NE(work.Error(), 0) << name;
        EXPECT_EQ(work.Commit(), CWorkFile::Failure::kWrite) << name;
        EXPECT_TRUE(fs::exists(fs::symlink_status(name))) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ReadBytes(elsewhere), kOld);
    EXPECT_EQ(ReadBytes(Target()), kOld);
}

// A full disk, as a file size limit makes it: the write fails and nothing changes.
TEST_F(WorkFileTest, AFailedWriteKeepsTheTarget) {
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    CWorkFile::Failure failure;
    int error;
    {
        CWorkFile work(Target());
        const std::string text(4096, 'x');
        std::fwrite(text.data(), 1, text.size(), work.File());
        failure = work.Commit();
        error = work.Error();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(failure, CWorkFile::Failure::kWrite);
    EXPECT_NE(error, 0);
    EXPECT_EQ(ReadBytes(Target()), kOld);
    EXPECT_TRUE(Others().empty());
}

} // namespace
