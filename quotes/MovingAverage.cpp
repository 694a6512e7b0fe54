#include "quotes/MovingAverage.h"

#include <algorithm>

void RunningAverage(const float* values, std::ptrdiff_t stride, int count, int period, float* out,
                    std::ptrdiff_t outStride) {
    if (period < 1 || count <= 0)
        return;
    float sum = 0;
    int i = 0;
    for (; i < period && i < count; ++i) {
        sum += values[i * stride];
        out[i * outStride] = 0;
    }
    if (i != period)
        return;
    const float divisor = static_cast<float>(period);
    out[(i - 1) * outStride] = sum / divisor;
    for (; i < count; ++i) {
        sum += values[i * stride];
        sum -= values[(i - period) * stride];
        out[i * outStride] = sum / divisor;
    }
}

Status MovingAverage(const QuoteColumn& source, QuoteColumn& destination, int period, int start) {
    if (period < 1 || start < 0)
        return kStatusSuccess;
    // Rows past the source's count hold nothing of this security, so they are never summed.
    const int rows = std::min<int>(source.nRows, destination.nRows);
    if (start >= rows)
        return kStatusSuccess;
    RunningAverage(&source.Value(start), source.nStride, rows - start, period,
                   &destination.Value(start), destination.nStride);
    return kStatusSuccess;
}
