#pragma once
// A loaded chart object over a scratch directory, for the dialog tests.

#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <string>
#include <utility>
#include <vector>

struct CChartFixture {
    using Entries = std::vector<std::pair<std::string, std::string>>; // symbol, name

    // Writes one security per entry, leaves out the price files of the entries in `missing`, and
    // loads the first security.
    bool Load(const Entries& entries, const std::vector<int>& missing = {}) {
        std::vector<MasterEntry> master;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            master.push_back(SecurityEntry(number, entries[i].first, entries[i].second));
            std::vector<PriceRecord> records;
            for (int day = 0; day < 30; ++day)
                records.push_back({float(1030102 + day), 10, 12, 8, float(10 + day % 3), 1000, 0});
            if (std::find(missing.begin(), missing.end(), int(i)) == missing.end())
                WriteBytes(dir / ("F" + std::to_string(number) + ".DAT"),
                           PriceFileBytes(28, records));
        }
        WriteBytes(dir / "MASTER", MasterFileBytes(master));
        return bars.SetMasterPath((dir / "MASTER").c_str()) && bars.ReadMaster() == 0 &&
               bars.ReadCurrentSymbol() == 0;
    }

    CTempDir dir;
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};
};
