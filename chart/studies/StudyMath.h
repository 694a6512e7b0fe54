#pragma once
// Pieces that several studies share: the mean of a moving window, the exponential average seeded
// with a mean, and the highest and lowest of a window.

#include <limits>
#include <vector>

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// out[i] = the mean of x[i - n + 1 .. i] from i = n - 1 on (a running sum, as the library sums).
void WindowMean(const std::vector<double>& x, int n, std::vector<double>& out);

// An exponential average with k = 2 / (n + 1), seeded at bar `seedAt` with the mean of the n
// values ending there, then e = e + k (x - e). Bars before `seedAt` get nothing; so does every
// bar when there are too few values.
void SeededEma(const std::vector<double>& x, int n, int seedAt, std::vector<double>& out);

// The highest and the lowest of the window of n ending at each bar, from bar n - 1 on.
void WindowHighest(const std::vector<double>& x, int n, std::vector<double>& out);
void WindowLowest(const std::vector<double>& x, int n, std::vector<double>& out);
