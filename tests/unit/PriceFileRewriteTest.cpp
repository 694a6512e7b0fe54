// A data updater truncates and rewrites a price file while the chart steps through the folder and
// reads it again: every read takes the whole records there are, nothing crashes, and once the
// writing has settled the security reads whole.

#include "chart/Bars.h"
#include "chart/ChartWindow.h"
#include "platform/MemorySettings.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

std::vector<PriceRecord> Days(int count) {
    std::vector<PriceRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back({float(1030102 + i % 28 + i / 28 * 100), 10, 12, 8, 11, 1000, 0});
    return records;
}

TEST(PriceFileRewriteTest, StepsAndReadsWhileTheFileIsRewrittenNeverFail) {
    CTempDir dir;
    WriteBytes(dir / "MASTER", MasterFileBytes({SecurityEntry(1, "AAA", "ALPHA"),
                                                SecurityEntry(2, "BBB", "BETA")}));
    const Bytes whole = PriceFileBytes(28, Days(300));
    WriteBytes(dir / "F1.DAT", whole);
    WriteBytes(dir / "F2.DAT", PriceFileBytes(28, Days(50)));
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars(settings, messages);
    ASSERT_TRUE(bars.SetMasterPath((dir / "MASTER").c_str()));
    ASSERT_EQ(bars.ReadMaster(), 0);
    ASSERT_EQ(bars.ReadCurrentSymbol(), 0);

    // The writer empties the file, writes its header and half of the records (cut inside a
    // record), then the rest: every state a reader can meet while an updater works.
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const std::string path = dir / "F1.DAT";
        while (!stop) {
            std::FILE* file = std::fopen(path.c_str(), "wb");
            if (!file)
                continue;
            std::fwrite(whole.data(), 1, whole.size() / 2 + 3, file);
            std::fflush(file);
            std::fwrite(whole.data() + whole.size() / 2 + 3, 1, whole.size() - whole.size() / 2 - 3,
                        file);
            std::fclose(file);
        }
    });
    for (int i = 0; i < 400; ++i) {
        bars.StepSymbol(i % 2 == 0 ? -1 : 1);
        bars.ReloadNewestRows();
        if (bars.IsDataLoaded()) {
            const QuoteBuffer& quotes = bars.GetQuotes();
            EXPECT_LE(quotes.total, 300);
            EXPECT_LE(quotes.count, quotes.capacity);
        }
        bars.Window().ScrollBars(-5, {800, 600});
    }
    stop = true;
    writer.join();

    bars.Rewind();
    ASSERT_EQ(bars.ReadCurrentSymbol(), 0);
    EXPECT_EQ(bars.GetQuotes().total, 300);
}

} // namespace
