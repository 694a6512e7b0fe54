#include "quotes/PriceFile.h"

#include "platform/DecimalText.h"
#include "platform/FileNames.h"
#include "quotes/Dates.h"
#include "quotes/Mbf.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kColumnNames[kColumnCount] = {"DATE", "TIME",  "OPEN", "HIGH",
                                                    "LOW",  "CLOSE", "VOL",  "OI"};
// F<n>.DOP lines are read in pieces of at most this many characters.
constexpr int kDopPieceLength = 299;

// A number of a F<n>.DOP line, kept as its low 16 bits; no digits give 0.
std::int16_t ScanInt16(std::string_view text) {
    int value = 0;
    ScanDecimal(text, value);
    return static_cast<std::int16_t>(value);
}

// The comma-separated fields of a line; a run of commas counts as one separator.
int SplitAtCommas(std::string_view line, std::string_view fields[3]) {
    int found = 0;
    std::size_t i = 0;
    while (found < 3) {
        while (i < line.size() && line[i] == ',')
            ++i;
        if (i >= line.size())
            break;
        const std::size_t end = std::min(line.find(',', i), line.size());
        fields[found++] = line.substr(i, end - i);
        i = end;
    }
    return found;
}

int RecognisedColumn(std::string_view name) {
    for (int c = 0; c < kColumnCount; ++c) {
        const std::string_view wanted = kColumnNames[c];
        if (name.size() >= wanted.size() && EqualsNoCase(name.substr(0, wanted.size()), wanted))
            return c;
    }
    return -1;
}

void SplitPath(const std::string& path, std::string& directory, std::string& name) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsPathSeparator(path[cut - 1]))
        --cut;
    directory = path.substr(0, cut);
    name = path.substr(cut);
}

void ParseDopLines(std::FILE* file, std::int16_t columnMap[], std::int16_t firstNumbers[],
                   std::int16_t secondNumbers[]) {
    char piece[kDopPieceLength + 1];
    int position = 0;
    while (std::fgets(piece, sizeof piece, file)) {
        if (piece[0] != '"')
            continue;
        std::string_view fields[3];
        const int found = SplitAtCommas(piece, fields);
        const int column = found > 0 ? RecognisedColumn(fields[0].substr(1)) : -1;
        if (column < 0)
            continue;
        position = std::min(position + 1, static_cast<int>(INT16_MAX));
        columnMap[column] = static_cast<std::int16_t>(position);
        firstNumbers[column] = found > 1 ? ScanInt16(fields[1]) : 0;
        secondNumbers[column] = found > 2 ? ScanInt16(fields[2]) : 0;
    }
}

// Record length 20 holds either date, open, high, low, close or date, high, low, close, volume;
// the first data record decides: a fifth field no more than twice the second is a price.
bool TwentyByteRecordsHoldOpen(std::FILE* file) {
    std::uint8_t record[20] = {};
    if (std::fread(record, 1, 20, file) == 20)
        (void)std::fread(record, 1, 20, file);
    const float second = MbfToFloat(record + 4);
    const float fifth = MbfToFloat(record + 16);
    return fifth != 0 && fifth <= 2 * second;
}

Status ColumnsFromRecordLength(const std::string& datPath, std::int16_t columnMap[],
                               int recordLength, bool intraday) {
    auto set = [&](std::initializer_list<std::pair<int, int>> positions) {
        for (auto [column, position] : positions)
            columnMap[column] = static_cast<std::int16_t>(position);
        return kStatusSuccess;
    };
    // Intraday records put the time after the date: seven fields end with the volume, eight with
    // the open interest (the vendors' own layouts; a daily reading would show times as prices).
    if (recordLength == 32 || (intraday && recordLength == 28))
        return set({{kColDate, 1},
                    {kColTime, 2},
                    {kColOpen, 3},
                    {kColHigh, 4},
                    {kColLow, 5},
                    {kColClose, 6},
                    {kColVol, 7},
                    {kColOi, recordLength == 32 ? 8 : 0}});
    switch (recordLength) {
    case 12:
        return set({{kColDate, 1}, {kColClose, 2}, {kColVol, 3}});
    case 16:
        return set({{kColDate, 1}, {kColHigh, 2}, {kColLow, 3}, {kColClose, 4}});
    case 18:
        return set({{kColDate, 1}, {kColClose, 2}});
    case 24:
        return set({{kColDate, 1},
                    {kColOpen, 2},
                    {kColHigh, 3},
                    {kColLow, 4},
                    {kColClose, 5},
                    {kColVol, 6}});
    case 28:
        return set({{kColDate, 1},
                    {kColOpen, 2},
                    {kColHigh, 3},
                    {kColLow, 4},
                    {kColClose, 5},
                    {kColVol, 6},
                    {kColOi, 7}});
    case 20: {
        std::string directory, name;
        SplitPath(datPath, directory, name);
        const CFilePtr file = OpenFileNoCase(directory, name, "rb");
        if (!file)
            return kStatusBadColumns;
        if (TwentyByteRecordsHoldOpen(file.get()))
            return set({{kColDate, 1}, {kColOpen, 2}, {kColHigh, 3}, {kColLow, 4}, {kColClose, 5}});
        return set({{kColDate, 1}, {kColHigh, 2}, {kColLow, 3}, {kColClose, 4}, {kColVol, 5}});
    }
    default:
        return kStatusBadColumns;
    }
}

} // namespace

Status ParseDopFile(std::string& path, std::int16_t columnMap[kColumnCount],
                    std::int16_t firstNumbers[kColumnCount],
                    std::int16_t secondNumbers[kColumnCount], int recordLength, bool intraday) {
    std::fill_n(columnMap, kColumnCount, 0);
    std::fill_n(firstNumbers, kColumnCount, 0);
    std::fill_n(secondNumbers, kColumnCount, 0);
    std::string directory, name;
    SplitPath(path, directory, name);
    if (const CFilePtr file = OpenFileNoCase(directory, name, "r")) {
        ParseDopLines(file.get(), columnMap, firstNumbers, secondNumbers);
        return kStatusSuccess;
    }
    if (path.size() >= 2)
        path.replace(path.size() - 2, 2, "AT");
    return ColumnsFromRecordLength(path, columnMap, recordLength, intraday);
}

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

// Reads up to `wanted` whole records of `recordLength` bytes into rows 0 onward; a short file
// ends the rows early.
int ReadRows(std::FILE* file, int recordLength, int wanted, RowWriter& writer) {
    std::uint8_t chunk[32 * 1024];
    const int perChunk = static_cast<int>(sizeof chunk) / recordLength;
    int row = 0;
    while (row < wanted) {
        const int asked = std::min(perChunk, wanted - row);
        const auto got = static_cast<int>(std::fread(chunk, recordLength, asked, file));
        for (int k = 0; k < got; ++k)
            writer.Write(row++, chunk + k * recordLength);
        if (got < asked)
            break;
    }
    return row;
}

// "F<n>.DAT" or "F<n>.DOP".
std::string PriceFileName(int fileNumber, const char* extension) {
    char name[16];
    std::snprintf(name, sizeof name, "F%d.%s", fileNumber, extension);
    return name;
}

} // namespace

Status ReadSecurity(QuoteBuffer& buffer, std::string_view directory, std::string_view symbol,
                    int start, int count) {
    MasterRecord record;
    std::string found;
    if (Status status = FindMasterRecord(directory, symbol, record, found))
        return status;
    const int fileNumber = record.FileNumber();
    const int recordLength = record.RecordLength();
    if (recordLength < kMinRecordLength || recordLength > kMaxRecordLength)
        return kStatusBadColumns;
    const int fieldCount =
        std::clamp(std::min(record.FieldCount(), recordLength / 4), 0, kMaxRecordFields);

    std::int16_t columnMap[kColumnCount], firstNumbers[kColumnCount], secondNumbers[kColumnCount];
    std::string dopPath = found + PriceFileName(fileNumber, "DOP");
    if (Status status = ParseDopFile(dopPath, columnMap, firstNumbers, secondNumbers, recordLength,
                                     record.IsIntraday()))
        return status;

    const CFilePtr owner = OpenFileNoCase(found, PriceFileName(fileNumber, "DAT"), "rb");
    std::FILE* file = owner.get();
    if (!file)
        return kStatusFileOpen;
    // The records are read in large chunks of their own: a stream buffer would only copy them.
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::uint8_t header[4];
    if (std::fread(header, 1, 4, file) != 4)
        return kStatusFileRead;
    // The header's record number is unsigned (intraday files pass 32767 records). A header that
    // promises more records than the file holds is believed only as far as the file goes, and
    // one that names no record means no data. Its 16 bits cannot count 65536 records or more: a
    // longer file keeps the low bits there, so a length that agrees with them is the file's own.
    const int headerLast = header[2] | (header[3] << 8);
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : 0;
    const long fileLast = std::min<long>(size / recordLength, INT_MAX / 2);
    const long named =
        fileLast > 0xFFFF && (fileLast & 0xFFFF) == headerLast ? fileLast : headerLast;
    const int last = static_cast<int>(std::clamp<long>(fileLast, 1, std::max<long>(named, 1)));

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
    CopyCut(buffer.directory, sizeof buffer.directory, found);
    CopyCut(buffer.symbol, sizeof buffer.symbol, symbol);
    FillSourceHeader(buffer, record, columnMap, firstNumbers, secondNumbers);

    if (count == 0 && !askedAll)
        return kStatusSuccess;
    count = std::min<int>(count, buffer.capacity);
    if (start < 0)
        start = std::max(buffer.total - count, 0);
    if (start > last - 2)
        return kStatusRecordNotFound;
    int rows = 0;
    if (count > 0 &&
        std::fseek(file, static_cast<long>(recordLength) * (start + 1), SEEK_SET) == 0) {
        RowWriter writer(buffer, columnMap, fieldCount);
        rows = ReadRows(file, recordLength, std::min(count, last - 1 - start), writer);
    }
    return SetQuoteCount(buffer, rows);
}
