#include "quotes/PriceColumns.h"

#include "platform/DecimalText.h"
#include "platform/FileNames.h"
#include "quotes/Mbf.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kColumnNames[kColumnCount] = {"DATE", "TIME",  "OPEN", "HIGH",
                                                    "LOW",  "CLOSE", "VOL",  "OI"};
// F<n>.DOP lines are read in pieces of at most this many characters.
constexpr int kDopPieceLength = 299;
constexpr char kDosEndOfFile = '\x1A';

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
    const std::size_t cut = FileNameStart(path);
    directory = path.substr(0, cut);
    name = path.substr(cut);
}

void ParseDopLines(std::FILE* file, std::int16_t columnMap[], std::int16_t firstNumbers[],
                   std::int16_t secondNumbers[]) {
    char piece[kDopPieceLength + 1];
    int position = 0;
    bool ended = false;
    while (!ended && std::fgets(piece, sizeof piece, file)) {
        // DOS editors end a text with 0x1A; whatever follows it is not part of the text.
        if (char* end = std::strchr(piece, kDosEndOfFile)) {
            *end = '\0';
            ended = true;
        }
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
    // Past the 20-byte header; a short first record leaves part of the header in place, as before.
    if (std::fread(record, 1, 20, file) == 20) {
        [[maybe_unused]] const std::size_t read = std::fread(record, 1, 20, file);
    }
    const float second = MbfToFloat(record + 4);
    const float fifth = MbfToFloat(record + 16);
    return fifth != 0 && fifth <= 2 * second;
}

} // namespace

Status ColumnsFromRecordLength(const std::string& datPath, std::int16_t columnMap[kColumnCount],
                               int recordLength, bool intraday) {
    std::fill_n(columnMap, kColumnCount, 0);
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

Status ColumnsFromFieldBits(std::uint8_t bits, std::int16_t columnMap[kColumnCount]) {
    // Bit of each column, in the order the fields are stored.
    constexpr std::pair<int, std::uint8_t> kStored[kColumnCount] = {
        {kColDate, 0x01}, {kColTime, 0x80},  {kColOpen, 0x20}, {kColHigh, 0x02},
        {kColLow, 0x04},  {kColClose, 0x08}, {kColVol, 0x10},  {kColOi, 0x40}};
    std::fill_n(columnMap, kColumnCount, 0);
    std::int16_t position = 0;
    for (const auto& [column, bit] : kStored)
        if (bits & bit)
            columnMap[column] = ++position;
    return columnMap[kColDate] != 0 ? kStatusSuccess : kStatusBadColumns;
}
