#include "chart/studies/StudyMath.h"

#include <algorithm>
#include <functional>

void WindowMean(std::span<const double> x, int n, std::vector<double>& out) {
    const int count = static_cast<int>(x.size());
    if (n < 1 || count < n)
        return;
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += x[static_cast<std::size_t>(i)];
        if (i >= n)
            sum -= x[static_cast<std::size_t>(i - n)];
        if (i >= n - 1)
            out[static_cast<std::size_t>(i)] = sum / n;
    }
}

void SeededEma(std::span<const double> x, int n, int seedAt, std::vector<double>& out) {
    const int count = static_cast<int>(x.size());
    if (n < 1 || seedAt < n - 1 || seedAt >= count)
        return;
    double sum = 0;
    for (int i = seedAt - n + 1; i <= seedAt; ++i)
        sum += x[static_cast<std::size_t>(i)];
    const double k = 2.0 / (n + 1);
    double e = sum / n;
    out[static_cast<std::size_t>(seedAt)] = e;
    for (int i = seedAt + 1; i < count; ++i) {
        e += k * (x[static_cast<std::size_t>(i)] - e);
        out[static_cast<std::size_t>(i)] = e;
    }
}
