#pragma once
// Pieces that several studies share: the mean of a moving window, the exponential average seeded
// with a mean, and the highest and lowest of a window.

#include <bit>
#include <limits>
#include <span>
#include <vector>

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// out[i] = the mean of x[i - n + 1 .. i] from i = n - 1 on (a running sum, as the library sums).
void WindowMean(std::span<const double> x, int n, std::vector<double>& out);

// An exponential average with k = 2 / (n + 1), seeded at bar `seedAt` with the mean of the n
// values ending there, then e = e + k (x - e). Bars before `seedAt` get nothing; so does every
// bar when there are too few values.
void SeededEma(std::span<const double> x, int n, int seedAt, std::vector<double>& out);

// The highest (or, with Lowest, the lowest) of the last n values pushed: a queue of the values
// that can still be it, the best at its head, kept in a ring of n places, so that a window costs
// the same whatever its length and stays in the cache.
template <bool Lowest> class CWindowExtreme {
public:
    explicit CWindowExtreme(int n)
        : m_nLength(n), m_ring(std::bit_ceil(static_cast<std::size_t>(n) + 1)),
          m_nMask(m_ring.size() - 1) {}
    // Takes value i (pushed in order from 0) and gives the extreme of the window ending there.
    double Push(int i, double value) {
        while (m_nSize > 0 && Worse(At(m_nSize - 1).value, value))
            --m_nSize;
        At(m_nSize++) = {i, value};
        if (At(0).index <= i - m_nLength) {
            m_nHead = (m_nHead + 1) & m_nMask;
            --m_nSize;
        }
        return At(0).value;
    }

private:
    struct Entry {
        int index;
        double value;
    };
    static bool Worse(double kept, double value) { return Lowest ? kept > value : kept < value; }
    Entry& At(std::size_t k) { return m_ring[(m_nHead + k) & m_nMask]; }

    int m_nLength;
    std::vector<Entry> m_ring; // a power of two long
    std::size_t m_nMask;
    std::size_t m_nHead = 0, m_nSize = 0;
};
using CWindowHighest = CWindowExtreme<false>;
using CWindowLowest = CWindowExtreme<true>;
