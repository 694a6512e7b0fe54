#pragma once
// Plausible made-up prices for the demo sample, benchmarks and tests: the same numbers on every
// run and platform (the standard distributions differ between libraries), so samples stay
// reproducible and benchmark figures from different days compare.

#include "tests/support/MetaStockWriter.h"

#include <cstdint>
#include <vector>

// xorshift64*.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_nState(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double Uniform();
    // A sum of uniforms: close enough to a normal variate for prices.
    double Normal();

private:
    std::uint64_t m_nState;
};

// Every weekday from the first weekday of `year` on, as price files store dates (970314,
// 1030214).
class CTradingDays {
public:
    explicit CTradingDays(int year);
    float Stored() const {
        return static_cast<float>((m_nYear - 1900) * 10000 + m_nMonth * 100 + m_nDay);
    }
    void Next();

private:
    int m_nYear, m_nMonth = 1, m_nDay = 1;
};

// Daily records of a random walk from `price`: date, open, high, low, close (in cents), volume
// and open interest.
std::vector<PriceRecord> RandomWalk(int count, int startYear, double price, double volatility,
                                    std::uint64_t seed);
