#include "quotes/QuoteBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kInterleavedRowBytes = 28;
constexpr int kInterleavedLimit = 65000;
constexpr int kInterleavedValueStride = 7;

QuoteColumn* ValueColumns(QuoteBuffer& buffer, int index) {
    QuoteColumn* columns[] = {&buffer.open,  &buffer.high,   &buffer.low,
                              &buffer.close, &buffer.volume, &buffer.openInterest};
    return columns[index];
}

void SetColumn(QuoteColumn& column, void* data, int rows, int stride, int offset) {
    column.pData = data;
    column.nRows = static_cast<std::int16_t>(rows);
    column.nStride = static_cast<std::int16_t>(stride);
    column.nOffset = static_cast<std::int16_t>(offset);
}

void* ZeroedBlock(int bytes) {
    return std::calloc(static_cast<std::size_t>(std::max(bytes, 1)), 1);
}

} // namespace

Status AllocQuoteBuffer(QuoteBuffer& buffer, int rows) {
    buffer.directory[0] = '\0';
    buffer.symbol[0] = '\0';
    buffer.total = 0;
    buffer.sourceKind = 0;
    buffer.sourceHeaderSize = 0;
    buffer.sourceHeader = nullptr;
    if (rows < 0 || rows > kMaxQuoteRows) {
        buffer.count = buffer.capacity = 0;
        return kStatusMalloc;
    }
    buffer.count = buffer.capacity = static_cast<std::int16_t>(rows);

    if (rows * kInterleavedRowBytes < kInterleavedLimit) {
        if (void* block = ZeroedBlock(rows * kInterleavedRowBytes)) {
            SetColumn(buffer.date, block, rows, 14, 0);
            SetColumn(buffer.time, block, rows, 14, 1);
            for (int i = 0; i < 6; ++i)
                SetColumn(*ValueColumns(buffer, i), block, rows, kInterleavedValueStride, i + 1);
            return kStatusSuccess;
        }
    }
    void* arrays[7] = {};
    for (int i = 0; i < 7; ++i) {
        arrays[i] = ZeroedBlock(rows * 4);
        if (!arrays[i]) {
            while (i-- > 0)
                std::free(arrays[i]);
            buffer.capacity = 0;
            return kStatusMalloc;
        }
    }
    SetColumn(buffer.date, arrays[0], rows, 2, 0);
    SetColumn(buffer.time, arrays[0], rows, 2, 1);
    for (int i = 0; i < 6; ++i)
        SetColumn(*ValueColumns(buffer, i), arrays[i + 1], rows, 1, 0);
    return kStatusSuccess;
}

Status FreeQuoteBuffer(QuoteBuffer& buffer) {
    std::free(buffer.date.pData);
    if (buffer.open.nStride != kInterleavedValueStride)
        for (int i = 0; i < 6; ++i)
            std::free(ValueColumns(buffer, i)->pData);
    std::free(buffer.sourceHeader);
    std::memset(&buffer, 0, sizeof buffer);
    return kStatusSuccess;
}

Status SetQuoteCount(QuoteBuffer& buffer, int rows) {
    if (rows > buffer.capacity || rows < 0)
        return kStatusMalloc;
    buffer.count = static_cast<std::int16_t>(rows);
    buffer.date.nRows = buffer.time.nRows = buffer.count;
    for (int i = 0; i < 6; ++i)
        ValueColumns(buffer, i)->nRows = buffer.count;
    return kStatusSuccess;
}

Status AllocColumn(QuoteColumn& column, int rows) {
    void* data = (rows >= 0 && rows <= kMaxQuoteRows) ? ZeroedBlock(rows * 4) : nullptr;
    SetColumn(column, data, data ? rows : 0, 1, 0);
    return data ? kStatusSuccess : kStatusMalloc;
}

void FreeColumn(QuoteColumn& column) {
    std::free(column.pData);
    SetColumn(column, nullptr, 0, 0, 0);
}
