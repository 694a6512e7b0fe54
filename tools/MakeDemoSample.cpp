// Writes the demo quote directory shipped in samples/demo/: about thirty fictional securities
// with plausible random-walk prices. Deterministic: the same files on every run and platform.

#include "tests/support/MetaStockWriter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// xorshift64*: fixed output on every platform, unlike the standard distributions.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_nState(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double Uniform() {
        m_nState ^= m_nState >> 12;
        m_nState ^= m_nState << 25;
        m_nState ^= m_nState >> 27;
        return static_cast<double>((m_nState * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
    }
    // Sum of uniforms: close enough to a normal variate for prices, and portable.
    double Normal() {
        double sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += Uniform();
        return sum - 6;
    }

private:
    std::uint64_t m_nState;
};

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

// Day of week for a civil date (0 = Sunday), Sakamoto's method.
int Weekday(int y, int m, int d) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        --y;
    return (y + y / 4 - y / 100 + y / 400 + offsets[m - 1] + d) % 7;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

struct Calendar {
    int y, m, d;
    void NextWeekday() {
        do {
            if (++d > DaysInMonth(y, m)) {
                d = 1;
                if (++m > 12) {
                    m = 1;
                    ++y;
                }
            }
        } while (Weekday(y, m, d) == 0 || Weekday(y, m, d) == 6);
    }
    // (C)YYMMDD as MetaStock stores it: 970314, 1030214.
    float Stored() const { return static_cast<float>((y - 1900) * 10000 + m * 100 + d); }
};

float Cents(double value) {
    return static_cast<float>(std::round(value * 100) / 100);
}

std::vector<PriceRecord> MakeRecords(const Security& security, std::uint64_t seed) {
    CRandom random(seed);
    Calendar day{security.startYear, 1, 1};
    if (Weekday(day.y, 1, 1) == 0 || Weekday(day.y, 1, 1) == 6)
        day.NextWeekday();
    double close = security.price;
    double openInterest = 20000 + 5000 * random.Uniform();
    std::vector<PriceRecord> records;
    for (int i = 0; i < security.records; ++i, day.NextWeekday()) {
        const double open = close * (1 + 0.3 * security.volatility * random.Normal());
        close = std::max(0.05, close * std::exp(security.volatility * random.Normal()));
        const double high =
            std::max(open, close) * (1 + security.volatility * std::fabs(random.Normal()) / 2);
        const double low =
            std::min(open, close) * (1 - security.volatility * std::fabs(random.Normal()) / 2);
        const double volume =
            std::round(50000 * std::exp(0.5 * random.Normal()) * (1 + 20 * security.volatility));
        openInterest = std::max(100.0, openInterest + 200 * random.Normal());
        const float date = day.Stored();
        switch (security.layout) {
        case Layout::DateOhlc:
            records.push_back({date, Cents(open), Cents(high), Cents(low), Cents(close)});
            break;
        case Layout::DateHlcv:
            records.push_back({date, Cents(high), Cents(low), Cents(close), float(volume)});
            break;
        case Layout::DateOhlcv:
            records.push_back(
                {date, Cents(open), Cents(high), Cents(low), Cents(close), float(volume)});
            break;
        case Layout::DateOhlcvOi:
            records.push_back({date, Cents(open), Cents(high), Cents(low), Cents(close),
                               float(volume), float(std::round(openInterest))});
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
