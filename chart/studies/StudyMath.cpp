#include "chart/studies/StudyMath.h"

#include <algorithm>
#include <deque>
#include <functional>

namespace {

template <typename Better>
void WindowExtreme(const std::vector<double>& x, int n, std::vector<double>& out, Better better) {
    // The indexes of the values that can still be the extreme, the best at the front.
    std::deque<int> candidates;
    const int count = static_cast<int>(x.size());
    for (int i = 0; i < count; ++i) {
        while (!candidates.empty() && !better(x[static_cast<std::size_t>(candidates.back())],
                                              x[static_cast<std::size_t>(i)]))
            candidates.pop_back();
        candidates.push_back(i);
        if (candidates.front() <= i - n)
            candidates.pop_front();
        if (i >= n - 1)
            out[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(candidates.front())];
    }
}

} // namespace

void WindowMean(const std::vector<double>& x, int n, std::vector<double>& out) {
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

void SeededEma(const std::vector<double>& x, int n, int seedAt, std::vector<double>& out) {
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

void WindowHighest(const std::vector<double>& x, int n, std::vector<double>& out) {
    // Ties keep the older value in front: it leaves the window first, and an equal one stands
    // behind it.
    WindowExtreme(x, n, out, std::greater_equal<double>());
}

void WindowLowest(const std::vector<double>& x, int n, std::vector<double>& out) {
    WindowExtreme(x, n, out, std::less_equal<double>());
}
