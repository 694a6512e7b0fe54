#pragma once
// Reading the figures of every entry of the chart's directory, for the securities panel: the
// entries are taken from the directory at once, then read on a thread of the caller's, a chunk at
// a time, so that the window goes on while thousands of files are read.

#include "quotes/SecurityFigures.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class CBars;

// What the reading needs of one entry: its price file as its index entry gives it, or, for a
// MASTER entry, its symbol to look up as the chart does.
struct FillEntry {
    PriceSource source;
    bool known = false;
    std::string symbol; // only when !known
};

struct FilledFigures {
    int entry = 0;
    bool read = false; // false when the price file could not be read
    SecurityFigures figures;
};

// The entries of `bars`' directory, in directory order.
std::vector<FillEntry> FillEntries(const CBars& bars);

// Reads the figures of `entries` from `directory` (ending in a separator) in order and hands
// them to `deliver` in chunks of at most `chunk` entries; stops between entries once `stop` is
// set.
void ReadEntryFigures(const std::string& directory, const std::vector<FillEntry>& entries,
                      const std::atomic<bool>& stop, std::size_t chunk,
                      const std::function<void(std::vector<FilledFigures>&&)>& deliver);
