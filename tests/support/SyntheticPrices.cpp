#include "tests/support/SyntheticPrices.h"

#include <algorithm>
#include <cmath>

double CRandom::Uniform() {
    m_nState ^= m_nState >> 12;
    m_nState ^= m_nState << 25;
    m_nState ^= m_nState >> 27;
    return static_cast<double>((m_nState * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
}

double CRandom::Normal() {
    double sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += Uniform();
    return sum - 6;
}

namespace {

// Day of the week (0 = Sunday), Sakamoto's method.
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

bool IsWeekend(int y, int m, int d) {
    const int weekday = Weekday(y, m, d);
    return weekday == 0 || weekday == 6;
}

float Cents(double value) {
    return static_cast<float>(std::round(value * 100) / 100);
}

} // namespace

CTradingDays::CTradingDays(int year) : m_nYear(year) {
    if (IsWeekend(m_nYear, m_nMonth, m_nDay))
        Next();
}

void CTradingDays::Next() {
    do {
        if (++m_nDay > DaysInMonth(m_nYear, m_nMonth)) {
            m_nDay = 1;
            if (++m_nMonth > 12) {
                m_nMonth = 1;
                ++m_nYear;
            }
        }
    } while (IsWeekend(m_nYear, m_nMonth, m_nDay));
}

std::vector<PriceRecord> RandomWalk(int count, int startYear, double price, double volatility,
                                    std::uint64_t seed) {
    CRandom random(seed);
    CTradingDays day(startYear);
    double close = price;
    double openInterest = 20000 + 5000 * random.Uniform();
    std::vector<PriceRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i, day.Next()) {
        const double open = close * (1 + 0.3 * volatility * random.Normal());
        close = std::max(0.05, close * std::exp(volatility * random.Normal()));
        const double high =
            std::max(open, close) * (1 + volatility * std::fabs(random.Normal()) / 2);
        const double low =
            std::min(open, close) * (1 - volatility * std::fabs(random.Normal()) / 2);
        const double volume =
            std::round(50000 * std::exp(0.5 * random.Normal()) * (1 + 20 * volatility));
        openInterest = std::max(100.0, openInterest + 200 * random.Normal());
        records.push_back({day.Stored(), Cents(open), Cents(high), Cents(low), Cents(close),
                           static_cast<float>(volume),
                           static_cast<float>(std::round(openInterest))});
    }
    return records;
}
