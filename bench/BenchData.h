#pragma once
// Quote directories for the benchmarks. Writing 255 price files takes longer than the benchmarks
// themselves, so a directory is written once below the temporary directory and reused by later
// runs as long as its stamp says it was written completely with the same shape.

#include <string>
#include <vector>

struct BenchSecurity {
    std::string symbol;
    std::string datFile; // name of its price file within the directory, e.g. "F17.DAT"
    long long datBytes;  // size of that file, 0 when it was not written
};

struct BenchDirectory {
    std::string path; // ends in a separator
    std::vector<BenchSecurity> securities;
    long long datBytes; // all price files together
};

// A directory `name` whose MASTER lists `securities` entries (at most 255), each with `records`
// data records of 28 bytes (date, open, high, low, close, volume, open interest). With
// `onlyLastPriceFile` only the last entry's price file is written, for lookups that must walk a
// long MASTER without the disk space of every file.
BenchDirectory QuoteDirectory(const std::string& name, int securities, int records,
                              bool onlyLastPriceFile = false);

// A directory `name` of 65,535 securities: 255 in MASTER and 65,280 in XMASTER (file numbers 256
// to 65535). Only the last `written` XMASTER entries get a price file F<n>.MWD, of `records`
// records, so that stepping at the end of the directory can be timed without writing them all.
BenchDirectory XmasterDirectory(const std::string& name, int written, int records);

// A directory `name` whose XMASTER alone lists 65,535 securities (file numbers 1 to 65535), each
// with a price file F<n>.MWD of `records` records: the most securities a folder can index.
BenchDirectory FullXmasterDirectory(const std::string& name, int records);
