// Writes the demo quote directory shipped in samples/demo/: about thirty fictional securities
// with plausible random-walk prices. Deterministic: the same files on every run and platform.

#include "tests/support/MetaStockWriter.h"
#include "tests/support/SyntheticPrices.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

enum class Layout { DateOhlc, DateHlcv, DateOhlcv, DateOhlcvOi };

struct Security {
    const char* symbol;
    const char* name;
    Layout layout;
    int records;
    int startYear; // first trading day is the first weekday of this year
    double price;
    double volatility;
    bool withDop;
};

// The security's walk with the fields of its layout.
std::vector<PriceRecord> MakeRecords(const Security& security, std::uint64_t seed) {
    std::vector<PriceRecord> records =
        RandomWalk(security.records, security.startYear, security.price, security.volatility, seed);
    for (PriceRecord& r : records) { // date, open, high, low, close, volume, open interest
        switch (security.layout) {
        case Layout::DateOhlc:
            r = {r[0], r[1], r[2], r[3], r[4]};
            break;
        case Layout::DateHlcv:
            r = {r[0], r[2], r[3], r[4], r[5]};
            break;
        case Layout::DateOhlcv:
            r.resize(6);
            break;
        case Layout::DateOhlcvOi:
            break;
        }
    }
    return records;
}

int RecordLength(Layout layout) {
    switch (layout) {
    case Layout::DateOhlc:
    case Layout::DateHlcv:
        return 20;
    case Layout::DateOhlcv:
        return 24;
    case Layout::DateOhlcvOi:
        return 28;
    }
    return 28;
}

std::string DopText(Layout layout) {
    const char* names[] = {"Date", "Open", "High", "Low", "Close", "Volume", "OI"};
    std::vector<int> columns;
    switch (layout) {
    case Layout::DateOhlc:
        columns = {0, 1, 2, 3, 4};
        break;
    case Layout::DateHlcv:
        columns = {0, 2, 3, 4, 5};
        break;
    case Layout::DateOhlcv:
        columns = {0, 1, 2, 3, 4, 5};
        break;
    case Layout::DateOhlcvOi:
        columns = {0, 1, 2, 3, 4, 5, 6};
        break;
    }
    std::string text;
    for (int c : columns)
        text += std::string("\"") + names[c] + "\",7,2\r\n";
    return text;
}

void WriteDirectory(const std::string& directory, const std::vector<Security>& securities,
                    const char* masterName, const char* datPattern, std::vector<MasterEntry> extra,
                    std::uint64_t seed) {
    std::vector<MasterEntry> entries;
    int fileNumber = 1;
    for (const Security& security : securities) {
        const std::vector<PriceRecord> records = MakeRecords(security, seed + fileNumber);
        MasterEntry entry;
        entry.fileNumber = fileNumber;
        entry.recordLength = RecordLength(security.layout);
        entry.fieldCount = entry.recordLength / 4;
        entry.name = security.name;
        entry.symbol = security.symbol;
        entry.firstDate = records.front()[0];
        entry.lastDate = records.back()[0];
        entries.push_back(entry);
        char fileName[32];
        std::snprintf(fileName, sizeof fileName, datPattern, fileNumber);
        WriteBytes(directory + fileName, PriceFileBytes(entry.recordLength, records));
        if (security.withDop) {
            std::string dop = fileName;
            dop.replace(dop.size() - 3, 3, dop.back() == 't' ? "dop" : "DOP");
            WriteText(directory + dop, DopText(security.layout));
        }
        ++fileNumber;
    }
    entries.insert(entries.end(), extra.begin(), extra.end());
    WriteBytes(directory + masterName, MasterFileBytes(entries));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tickvane-make-demo <directory>\n");
        return 2;
    }
    std::string directory = argv[1];
    if (directory.back() != '/')
        directory += '/';
    std::filesystem::create_directories(directory + "INDICES");

    const std::vector<Security> securities = {
        {"ACME", "ACME INDUSTRIES", Layout::DateOhlcvOi, 3200, 1994, 24.5, 0.018, false},
        {"BRSN", "BRASSON MINING", Layout::DateOhlcv, 2400, 1997, 8.75, 0.028, true},
        {"CLVR", "CLOVER FOODS", Layout::DateOhlcv, 1800, 1999, 41.0, 0.012, false},
        {"DYNA", "DYNAMO ELECTRIC", Layout::DateOhlcvOi, 3100, 1995, 63.2, 0.015, false},
        {"EVRG", "EVERGREEN PAPER", Layout::DateOhlc, 1200, 1998, 17.1, 0.016, false},
        {"FJRD", "FJORD SHIPPING", Layout::DateHlcv, 900, 2001, 5.4, 0.03, false},
        {"GLNT", "GALENT PHARMA", Layout::DateOhlcv, 2600, 1996, 88.0, 0.022, true},
        {"HRBR", "HARBOR BANCORP", Layout::DateOhlcv, 800, 2003, 31.3, 0.011, false},
        {"IRWD", "IRONWOOD RAIL", Layout::DateOhlcvOi, 1500, 1999, 12.6, 0.017, false},
        {"JNPR", "JUNIPER TEXTILES", Layout::DateOhlc, 640, 2004, 9.9, 0.02, true},
        {"KSTL", "KESTREL AIR", Layout::DateHlcv, 2100, 1998, 27.4, 0.025, true},
        {"LMNA", "LUMINA OPTICS", Layout::DateOhlcv, 1000, 2005, 54.8, 0.024, false},
        {"MRDN", "MERIDIAN POWER", Layout::DateOhlcvOi, 3050, 1996, 19.0, 0.01, false},
        {"NVLT", "NOVALITH CHIPS", Layout::DateOhlcv, 1300, 1999, 112.0, 0.035, false},
        {"ORCH", "ORCHARD HOMES", Layout::DateOhlcv, 420, 2006, 22.2, 0.019, true},
        {"PLNR", "PLANAR GLASS", Layout::DateHlcv, 260, 2007, 6.3, 0.021, false},
        {"QRTZ", "QUARTZ TELECOM", Layout::DateOhlcvOi, 2300, 1997, 38.5, 0.023, true},
        {"RDGE", "RIDGELINE OIL", Layout::DateOhlcv, 1700, 2000, 71.4, 0.02, false},
        {"SLTE", "SLATE MEDIA", Layout::DateOhlc, 150, 2008, 14.8, 0.026, false},
        {"TNDR", "TINDER LOGISTICS", Layout::DateOhlcv, 60, 2009, 3.6, 0.03, false},
        {"UMBR", "UMBRA SOFTWARE", Layout::DateOhlcv, 1100, 2002, 45.0, 0.027, false},
        {"VRTX", "VORTEX CHEMICAL", Layout::DateOhlcvOi, 2800, 1996, 29.9, 0.014, false},
        {"WLLW", "WILLOW RETAIL", Layout::DateOhlcv, 12, 2010, 11.2, 0.015, false},
        {"XNTH", "XANTHE BIOTECH", Layout::DateOhlcv, 5, 2010, 2.1, 0.05, true},
        {"YRRW", "YARROW INSURANCE", Layout::DateOhlcv, 1400, 1999, 36.7, 0.012, false},
        {"ZPHR", "ZEPHYR WIND", Layout::DateOhlcvOi, 950, 2004, 15.5, 0.02, false},
        {"BRK A", "BRACKEN HOLDNG A", Layout::DateOhlcv, 700, 2003, 950.0, 0.01, false},
    };
    const std::vector<Security> indices = {
        {"DEMOIDX", "DEMO COMPOSITE", Layout::DateOhlcvOi, 3000, 1995, 1000.0, 0.009, false},
        {"DEMOSML", "DEMO SMALL CAPS", Layout::DateOhlcv, 2000, 1998, 350.0, 0.012, false},
        {"DEMOTEC", "DEMO TECHNOLOGY", Layout::DateOhlcv, 1200, 2000, 780.0, 0.016, true},
    };
    // The subdirectory entry carries the symbol of the composite index, so loading it from the
    // top directory finds that index in the subdirectory.
    MasterEntry indicesEntry = DirectoryEntry("INDICES");
    indicesEntry.symbol = "DEMOIDX";
    WriteDirectory(directory, securities, "MASTER", "F%d.DAT", {indicesEntry}, 1000);
    WriteDirectory(directory + "INDICES/", indices, "master", "f%d.dat", {}, 2000);
    return 0;
}
