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

BenchDirectory QuoteDirectory(const std::string& name, int securities, int records,
                              bool onlyLastPriceFile) {
    if (securities < 1 || securities > 255)
        throw std::invalid_argument("a MASTER names file numbers 1 to 255");
    BenchDirectory directory;
    directory.path = (fs::temp_directory_path() / "tickvane-bench" / name).string() + '/';
    directory.datBytes = 0;

    std::ostringstream shape;
    shape << "v2 " << securities << ' ' << records << ' ' << onlyLastPriceFile << '\n';
    const std::string stampPath = directory.path + "complete.stamp";
    std::string stamp;
    {
        std::ifstream in(stampPath);
        std::getline(in, stamp);
        stamp += '\n';
    }
    const bool reuse = stamp == shape.str();
    if (!reuse) {
        fs::remove_all(directory.path);
        fs::create_directories(directory.path);
    }

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
        WriteText(stampPath, shape.str());
    }
    return directory;
}
