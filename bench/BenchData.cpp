#include "bench/BenchData.h"

#include "tests/support/MetaStockWriter.h"
#include "tests/support/SyntheticPrices.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// Each security starts somewhere between 20 and 100 and walks from 1980 on; 16000 weekdays end
// in 2041, within the range of day numbers.
std::vector<PriceRecord> Records(int count, std::uint64_t seed) {
    const double price = 20 + 80 * CRandom(seed).Uniform();
    return RandomWalk(count, 1980, price, 0.015, seed + 1);
}

std::string Symbol(int index) {
    return "S" + std::to_string(1000 + index);
}

std::string DatFile(int fileNumber) {
    return "F" + std::to_string(fileNumber) + ".DAT";
}

} // namespace

namespace {

// Whether `path` holds the stamp `shape` of a complete directory; otherwise empties it.
bool ReuseDirectory(const std::string& path, const std::string& shape) {
    std::string stamp;
    {
        std::ifstream in(path + "complete.stamp");
        std::getline(in, stamp);
        stamp += '\n';
    }
    if (stamp == shape)
        return true;
    fs::remove_all(path);
    fs::create_directories(path);
    return false;
}

} // namespace

BenchDirectory XmasterDirectory(const std::string& name, int written, int records) {
    constexpr int kFirst = 256, kLast = 65535;
    BenchDirectory directory;
    directory.path = (fs::temp_directory_path() / "tickvane-bench" / name).string() + '/';
    directory.datBytes = 0;
    std::ostringstream shape;
    shape << "x1 " << written << ' ' << records << '\n';
    const bool reuse = ReuseDirectory(directory.path, shape.str());

    std::vector<MasterEntry> master;
    for (int n = 1; n <= 255; ++n) {
        master.push_back(SecurityEntry(n, Symbol(n), "BENCH CO " + std::to_string(n)));
        directory.securities.push_back({Symbol(n), DatFile(n), 0});
    }
    std::vector<IndexEntry> xmaster;
    const long long fileBytes = 28LL * (records + 1);
    for (int n = kFirst; n <= kLast; ++n) {
        IndexEntry entry;
        entry.fileNumber = n;
        entry.symbol = Symbol(n);
        entry.name = "BENCH EXTENDED COMPANY " + std::to_string(n);
        xmaster.push_back(entry);
        const bool write = n > kLast - written;
        const std::string file = "F" + std::to_string(n) + ".MWD";
        directory.securities.push_back({entry.symbol, file, write ? fileBytes : 0});
        if (!write)
            continue;
        directory.datBytes += fileBytes;
        if (!reuse)
            WriteBytes(directory.path + file,
                       PriceFileBytes(28, Records(records, static_cast<std::uint64_t>(n))));
    }
    if (!reuse) {
        WriteBytes(directory.path + "MASTER", MasterFileBytes(master));
        WriteBytes(directory.path + "XMASTER", XmasterFileBytes(xmaster));
        WriteText(directory.path + "complete.stamp", shape.str());
    }
    return directory;
}

BenchDirectory FullXmasterDirectory(const std::string& name, int records) {
    BenchDirectory directory;
    directory.path = (fs::temp_directory_path() / "tickvane-bench" / name).string() + '/';
    directory.datBytes = 0;
    std::ostringstream shape;
    shape << "f1 " << records << '\n';
    const bool reuse = ReuseDirectory(directory.path, shape.str());
    std::vector<IndexEntry> xmaster;
    const long long fileBytes = 28LL * (records + 1);
    for (int n = 1; n <= 65535; ++n) {
        IndexEntry entry;
        entry.fileNumber = n;
        entry.symbol = Symbol(n);
        entry.name = "BENCH EXTENDED COMPANY " + std::to_string(n);
        xmaster.push_back(entry);
        const std::string file = "F" + std::to_string(n) + ".MWD";
        directory.securities.push_back({entry.symbol, file, fileBytes});
        directory.datBytes += fileBytes;
        if (!reuse)
            WriteBytes(directory.path + file,
                       PriceFileBytes(28, Records(records, static_cast<std::uint64_t>(n))));
    }
    if (!reuse) {
        WriteBytes(directory.path + "XMASTER", XmasterFileBytes(xmaster));
        WriteText(directory.path + "complete.stamp", shape.str());
    }
    return directory;
}

BenchDirectory QuoteDirectory(const std::string& name, int securities, int records,
                              bool onlyLastPriceFile) {
    if (securities < 1 || securities > 255)
        throw std::invalid_argument("a MASTER names file numbers 1 to 255");
    BenchDirectory directory;
    directory.path = (fs::temp_directory_path() / "tickvane-bench" / name).string() + '/';
    directory.datBytes = 0;

    std::ostringstream shape;
    shape << "v2 " << securities << ' ' << records << ' ' << onlyLastPriceFile << '\n';
    const bool reuse = ReuseDirectory(directory.path, shape.str());

    std::vector<MasterEntry> entries;
    const long long fileBytes = 28LL * (records + 1);
    for (int n = 1; n <= securities; ++n) {
        const bool written = !onlyLastPriceFile || n == securities;
        MasterEntry entry;
        entry.fileNumber = n;
        entry.recordLength = 28;
        entry.fieldCount = 7;
        entry.symbol = Symbol(n);
        entry.name = "BENCH CO " + std::to_string(n);
        entries.push_back(entry);
        directory.securities.push_back({entry.symbol, DatFile(n), written ? fileBytes : 0});
        if (!written)
            continue;
        directory.datBytes += fileBytes;
        if (!reuse)
            WriteBytes(directory.path + DatFile(n),
                       PriceFileBytes(28, Records(records, static_cast<std::uint64_t>(n))));
    }
    if (!reuse) {
        WriteBytes(directory.path + "MASTER", MasterFileBytes(entries));
        WriteText(directory.path + "complete.stamp", shape.str());
    }
    return directory;
}
