#pragma once
// The simple moving average of the chart's two average lines, in one place for every holder of
// records: the running sum is held as a single, as the chart always summed it, so that the
// newest records give the same values whether they are averaged in the 800-row buffer or in the
// whole history.

#include "quotes/QuoteBuffer.h"

#include <cstddef>

// Values i = 0..count-1 lie at values[i * stride]; out[i * outStride] gets 0 for i below
// period - 1 (all of them when there are fewer values), then the average of the `period` values
// ending at i. A period below 1 writes nothing.
void RunningAverage(const float* values, std::ptrdiff_t stride, int count, int period, float* out,
                    std::ptrdiff_t outStride = 1);

// The same over a buffer's column from row `start` on: destination rows start..start+period-2 get
// 0, every later row up to the source's count the simple average of the `period` source rows
// ending at it. Rows past either column's count are left alone.
Status MovingAverage(const QuoteColumn& source, QuoteColumn& destination, int period, int start);
