#include "quotes/PriceFile.h"

#include "platform/FileNames.h"
#include "quotes/Dates.h"
#include "quotes/Mbf.h"
#include "quotes/PriceRecordReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

void CopyCut(char* destination, std::size_t size, std::string_view text) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(destination, text.data(), length);
    destination[length] = '\0';
}

void FillSourceHeader(QuoteBuffer& buffer, const MasterRecord& record,
                      const std::int16_t columnMap[], const std::int16_t firstNumbers[],
                      const std::int16_t secondNumbers[]) {
    std::uint8_t* header = buffer.sourceHeader;
    std::memcpy(header, record.bytes, kMasterRecordSize);
    std::memcpy(header + kSourceMapOffset, columnMap, 2 * kColumnCount);
    std::memcpy(header + kSourceSecondNumbersOffset, secondNumbers, 2 * kColumnCount);
    std::memcpy(header + kSourceFirstNumbersOffset, firstNumbers, 2 * kColumnCount);
}

// Converts price records into buffer rows. Field 0 is -1.0 and stands in for absent columns, as
// does any position beyond the fields a record really holds.
class RowWriter {
public:
    RowWriter(QuoteBuffer& buffer, const std::int16_t columnMap[], int fieldCount)
        : m_buffer(buffer), m_nFields(fieldCount) {
        for (int c = 0; c < kColumnCount; ++c)
            m_nField[c] = (columnMap[c] >= 1 && columnMap[c] <= fieldCount) ? columnMap[c] : 0;
        m_fields[0] = -1.0f;
    }

    void Write(int row, const std::uint8_t* record) {
        for (int f = 1; f <= m_nFields; ++f)
            MbfToIeee(record + 4 * (f - 1), &m_fields[f]);
        m_buffer.date.Number(row) = YymmddToDay(m_fields[m_nField[kColDate]]);
        m_buffer.time.Number(row) =
            m_nField[kColTime] ? HhmmssToTime(m_fields[m_nField[kColTime]]) : kNoTime;
        m_buffer.open.Value(row) = m_fields[m_nField[kColOpen]];
        m_buffer.high.Value(row) = m_fields[m_nField[kColHigh]];
        m_buffer.low.Value(row) = m_fields[m_nField[kColLow]];
        m_buffer.close.Value(row) = m_fields[m_nField[kColClose]];
        m_buffer.volume.Value(row) = m_fields[m_nField[kColVol]];
        m_buffer.openInterest.Value(row) = m_fields[m_nField[kColOi]];
    }

private:
    // What field 0 (-1.0) gives for an absent time column.
    static constexpr std::int16_t kNoTime = 0;

    QuoteBuffer& m_buffer;
    int m_nFields;
    int m_nField[kColumnCount];
    float m_fields[kMaxRecordFields + 1];
};

// Everything after the entry is known: the price file's header, the source information and the
// rows asked for.
struct RowRequest {
    const std::string& directory;
    std::string_view symbol;
    const MasterRecord& record;
    int recordLength;
    int fieldCount;
    const std::int16_t* columnMap;
    const std::int16_t* firstNumbers;
    const std::int16_t* secondNumbers;
};

// The rows come in blocks of this size, read straight into it.
constexpr std::size_t kRowBlock = 32 * 1024;

Status ReadRequestedRows(QuoteBuffer& buffer, CPriceRecordReader& records,
                         const RowRequest& request, int start, int count) {
    long long dataRecords = 0;
    if (!records.ReadCount(dataRecords))
        return kStatusFileRead;
    const int last = static_cast<int>(std::min<long long>(dataRecords + 1, INT_MAX / 2));

    const bool askedAll = count < 0;
    if (askedAll) {
        const int most = std::min(last - 1, kMaxRowsAll);
        count = start > 0 ? most - start : most;
    }
    if (buffer.sourceHeaderSize < kSourceHeaderSize) {
        buffer.sourceHeaderSize = kSourceHeaderSize;
        buffer.sourceHeader = static_cast<std::uint8_t*>(std::calloc(kSourceHeaderSize, 1));
        if (!buffer.sourceHeader) {
            FreeQuoteBuffer(buffer);
            return kStatusMalloc;
        }
    }
    buffer.sourceKind = kMetaStockSource;
    buffer.total = last - 1;
    CopyCut(buffer.directory, sizeof buffer.directory, request.directory);
    CopyCut(buffer.symbol, sizeof buffer.symbol, request.symbol);
    FillSourceHeader(buffer, request.record, request.columnMap, request.firstNumbers,
                     request.secondNumbers);

    if (count == 0 && !askedAll)
        return kStatusSuccess;
    count = std::min<int>(count, buffer.capacity);
    if (start < 0)
        start = std::max(buffer.total - count, 0);
    if (start > last - 2)
        return kStatusRecordNotFound;
    int rows = 0;
    if (count > 0) {
        RowWriter writer(buffer, request.columnMap, request.fieldCount);
        const int length = request.recordLength;
        records.ReadRange(start, std::min(count, last - 1 - start),
                          [&](const std::uint8_t* block, std::size_t got) {
                              for (std::size_t k = 0; k < got; ++k)
                                  writer.Write(rows++,
                                               block + k * static_cast<std::size_t>(length));
                              return true;
                          });
    }
    return SetQuoteCount(buffer, rows);
}

int UsableFieldCount(int fieldCount, int recordLength) {
    return std::clamp(std::min(fieldCount, recordLength / 4), 0, kMaxRecordFields);
}

bool UsableRecordLength(int recordLength) {
    return recordLength >= kMinRecordLength && recordLength <= kMaxRecordLength;
}

// A MASTER-shaped record for a security known from EMASTER or XMASTER.
MasterRecord RecordOfSource(const PriceSource& source, std::string_view symbol) {
    MasterRecord record{};
    record.bytes[0] = static_cast<std::uint8_t>(source.fileNumber & 0xFF);
    record.bytes[1] = static_cast<std::uint8_t>(source.fileNumber & 0xFF);
    record.bytes[2] = static_cast<std::uint8_t>((source.fileNumber >> 8) & 0xFF);
    record.bytes[3] = static_cast<std::uint8_t>(source.recordLength);
    record.bytes[4] = static_cast<std::uint8_t>(source.fieldCount);
    std::memset(record.bytes + kMasterNameOffset, ' ', kMasterNameSize);
    record.bytes[kMasterPeriodOffset] = source.intraday ? 'I' : 'D';
    std::memset(record.bytes + kMasterSymbolOffset, ' ', kMasterSymbolSize);
    std::memcpy(record.bytes + kMasterSymbolOffset, symbol.data(),
                std::min<std::size_t>(symbol.size(), kMasterSymbolSize));
    return record;
}

} // namespace

std::string PriceFileName(int fileNumber, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "F%d.%s", fileNumber, extension);
    return name;
}

std::string PriceDataFileName(const PriceSource& source) {
    return PriceFileName(source.fileNumber, source.mwd ? "MWD" : "DAT");
}

PriceSource MasterPriceSource(const MasterRecord& record) {
    PriceSource source;
    source.fileNumber = record.FileNumber();
    source.recordLength = record.RecordLength();
    source.fieldCount = record.FieldCount();
    source.intraday = record.IsIntraday();
    return source;
}

long long LastRecordNumber(int headerLast, long long fileRecords) {
    // The header's 16 bits cannot count 65536 records or more: a longer file keeps the low bits
    // there, so a length that agrees with them is the file's own.
    const long long named =
        fileRecords > 0xFFFF && (fileRecords & 0xFFFF) == headerLast ? fileRecords : headerLast;
    return std::clamp<long long>(fileRecords, 1, std::max<long long>(named, 1));
}

Status SourceColumns(const std::string& directory, const PriceSource& source,
                     std::int16_t columnMap[kColumnCount], std::int16_t firstNumbers[kColumnCount],
                     std::int16_t secondNumbers[kColumnCount]) {
    if (source.fieldBits != 0) {
        std::fill_n(firstNumbers, kColumnCount, 0);
        std::fill_n(secondNumbers, kColumnCount, 0);
        return ColumnsFromFieldBits(source.fieldBits, columnMap);
    }
    std::string dopPath = directory + PriceFileName(source.fileNumber, "DOP");
    return ParseDopFile(dopPath, columnMap, firstNumbers, secondNumbers, source.recordLength,
                        source.intraday);
}

Status SourceColumns(const CFolderFiles& folder, const PriceSource& source,
                     std::int16_t columnMap[kColumnCount], std::int16_t firstNumbers[kColumnCount],
                     std::int16_t secondNumbers[kColumnCount]) {
    if (source.fieldBits != 0 || folder.MayHave(PriceFileName(source.fileNumber, "DOP")))
        return SourceColumns(folder.Directory(), source, columnMap, firstNumbers, secondNumbers);
    std::fill_n(firstNumbers, kColumnCount, 0);
    std::fill_n(secondNumbers, kColumnCount, 0);
    return ColumnsFromRecordLength(folder.Directory() + PriceFileName(source.fileNumber, "DAT"),
                                   columnMap, source.recordLength, source.intraday);
}

namespace {

// The data file under the extension its index names first, else under the other one.
template <typename OpenName>
auto OpenEitherExtension(const PriceSource& source, const OpenName& open) {
    const char* first = source.mwd ? "MWD" : "DAT";
    const char* second = source.mwd ? "DAT" : "MWD";
    if (auto file = open(PriceFileName(source.fileNumber, first)))
        return file;
    return open(PriceFileName(source.fileNumber, second));
}

} // namespace

CFilePtr OpenPriceData(const std::string& directory, const PriceSource& source, long long* size) {
    return OpenEitherExtension(source, [&](const std::string& name) {
        return OpenFileNoCase(directory, name, "rb", nullptr, size);
    });
}

CFilePtr OpenPriceData(const CFolderFiles& folder, const PriceSource& source, long long* size) {
    return OpenEitherExtension(source,
                               [&](const std::string& name) { return folder.Open(name, size); });
}

CReadOnlyFile ReadPriceData(const CFolderFiles& folder, const PriceSource& source) {
    return OpenEitherExtension(
        source, [&](const std::string& name) { return folder.OpenForReading(name); });
}

Status ReadSecurity(QuoteBuffer& buffer, std::string_view directory, std::string_view symbol,
                    int start, int count) {
    MasterRecord record;
    std::string found;
    if (Status status = FindMasterRecord(directory, symbol, record, found))
        return status;
    const int fileNumber = record.FileNumber();
    const int recordLength = record.RecordLength();
    if (!UsableRecordLength(recordLength))
        return kStatusBadColumns;

    std::int16_t columnMap[kColumnCount], firstNumbers[kColumnCount], secondNumbers[kColumnCount];
    std::string dopPath = found + PriceFileName(fileNumber, "DOP");
    if (Status status = ParseDopFile(dopPath, columnMap, firstNumbers, secondNumbers, recordLength,
                                     record.IsIntraday()))
        return status;

    std::uint8_t block[kRowBlock];
    CPriceRecordReader records(MasterPriceSource(record), block, sizeof block);
    if (!records.Open(found))
        return kStatusFileOpen;
    const RowRequest request{found,
                             symbol,
                             record,
                             recordLength,
                             UsableFieldCount(record.FieldCount(), recordLength),
                             columnMap,
                             firstNumbers,
                             secondNumbers};
    return ReadRequestedRows(buffer, records, request, start, count);
}

Status ReadPriceSource(QuoteBuffer& buffer, std::string_view directory, const PriceSource& source,
                       std::string_view symbol, int start, int count) {
    if (!UsableRecordLength(source.recordLength))
        return kStatusBadColumns;
    std::string folder(directory);
    AppendSeparator(folder);
    std::int16_t columnMap[kColumnCount], firstNumbers[kColumnCount], secondNumbers[kColumnCount];
    if (Status status = SourceColumns(folder, source, columnMap, firstNumbers, secondNumbers))
        return status;
    std::uint8_t block[kRowBlock];
    CPriceRecordReader records(source, block, sizeof block);
    if (!records.Open(folder))
        return kStatusFileOpen;
    const MasterRecord record = RecordOfSource(source, symbol);
    const RowRequest request{folder,
                             symbol,
                             record,
                             source.recordLength,
                             UsableFieldCount(source.fieldCount, source.recordLength),
                             columnMap,
                             firstNumbers,
                             secondNumbers};
    return ReadRequestedRows(buffer, records, request, start, count);
}
