#include "bench/BenchData.h"

#include "tests/support/MetaStockWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// xorshift64*: the same prices on every run, so figures from different days compare.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_nState(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double Uniform() {
        m_nState ^= m_nState >> 12;
        m_nState ^= m_nState << 25;
        m_nState ^= m_nState >> 27;
        return static_cast<double>((m_nState * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
    }
    double Normal() {
        double sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += Uniform();
        return sum - 6;
    }

private:
    std::uint64_t m_nState;
};

// Trading days: every weekday from 1980-01-01 on. 16000 of them end in 2041, within the range
// of day numbers.
class CWeekdays {
public:
    float Stored() const {
        return static_cast<float>((m_nYear - 1900) * 10000 + m_nMonth * 100 + m_nDay);
    }
    void Next() {
        do {
            m_nWeekday = (m_nWeekday + 1) % 7;
            if (++m_nDay > DaysInMonth()) {
                m_nDay = 1;
                if (++m_nMonth > 12) {
                    m_nMonth = 1;
                    ++m_nYear;
                }
            }
        } while (m_nWeekday == 0 || m_nWeekday == 6);
    }

private:
    int DaysInMonth() const {
        static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (m_nYear % 4 == 0 && m_nYear % 100 != 0) || m_nYear % 400 == 0;
        return m_nMonth == 2 && leap ? 29 : days[m_nMonth - 1];
    }

    int m_nYear = 1980, m_nMonth = 1, m_nDay = 1;
    int m_nWeekday = 2; // 1980-01-01 was a Tuesday
};

float Cents(double value) {
    return static_cast<float>(std::round(value * 100) / 100);
}

std::vector<PriceRecord> Records(int count, std::uint64_t seed) {
    CRandom random(seed);
    CWeekdays day;
    double close = 20 + 80 * random.Uniform();
    double openInterest = 20000;
    std::vector<PriceRecord> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i, day.Next()) {
        const double open = close * (1 + 0.005 * random.Normal());
        close = std::max(0.05, close * std::exp(0.015 * random.Normal()));
        const double high = std::max(open, close) * (1 + 0.008 * std::fabs(random.Normal()));
        const double low = std::min(open, close) * (1 - 0.008 * std::fabs(random.Normal()));
        const double volume = std::round(50000 * std::exp(0.5 * random.Normal()));
        openInterest = std::max(100.0, openInterest + 200 * random.Normal());
        records.push_back({day.Stored(), Cents(open), Cents(high), Cents(low), Cents(close),
                           static_cast<float>(volume),
                           static_cast<float>(std::round(openInterest))});
    }
    return records;
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
    shape << "v1 " << securities << ' ' << records << ' ' << onlyLastPriceFile << '\n';
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
