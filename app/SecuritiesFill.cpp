#include "app/SecuritiesFill.h"

#include "chart/Bars.h"
#include "platform/FileNames.h"
#include "quotes/MasterFile.h"

#include <map>
#include <memory>

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

} // namespace

std::vector<FillEntry> FillEntries(const CBars& bars) {
    std::vector<FillEntry> entries(static_cast<std::size_t>(std::max(bars.GetSymbolCount(), 0)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (const PriceSource* source = bars.GetSource(static_cast<int>(i))) {
            entries[i].source = *source;
            entries[i].known = true;
        } else {
            entries[i].symbol = bars.GetSymbol(static_cast<int>(i));
        }
    }
    return entries;
}

void ReadEntryFigures(const std::string& directory, const std::vector<FillEntry>& entries,
                      const std::atomic<bool>& stop, std::size_t chunk,
                      const std::function<void(std::vector<FilledFigures>&&)>& deliver) {
    const CFolderFiles files(directory);
    // A MASTER entry may be found in a subdirectory's MASTER, as the chart finds it; each such
    // folder is listed once.
    std::map<std::string, std::unique_ptr<CFolderFiles>> others;
    const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[kReadBlock]);
    std::vector<FilledFigures> filled;
    for (std::size_t i = 0; i < entries.size() && !stop.load(std::memory_order_relaxed); ++i) {
        const FillEntry& entry = entries[i];
        FilledFigures result;
        result.entry = static_cast<int>(i);
        std::string problem;
        if (entry.known) {
            result.read = ReadSecurityFigures(files, entry.source, block.get(), kReadBlock,
                                              result.figures, problem);
        } else {
            MasterRecord record;
            std::string found;
            if (FindMasterRecord(directory, entry.symbol, record, found) == kStatusSuccess) {
                const CFolderFiles* in = &files;
                if (found != directory) {
                    auto& listed = others[found];
                    if (!listed)
                        listed = std::make_unique<CFolderFiles>(found);
                    in = listed.get();
                }
                result.read = ReadSecurityFigures(*in, MasterPriceSource(record), block.get(),
                                                  kReadBlock, result.figures, problem);
            }
        }
        filled.push_back(result);
        if (filled.size() >= chunk) {
            deliver(std::move(filled));
            filled.clear();
        }
    }
    if (!filled.empty())
        deliver(std::move(filled));
}
