// Fuzzes the reading of a quote directory as the chart does it: the lookup through MASTER and its
// subdirectories, the column map from F<n>.DOP or the record length, the price records, and the
// moving averages over what was read; then the whole directory with EMASTER and XMASTER, as the
// chart object lists and steps through it and as the export reads it (DirectoryChecks.cpp).
// Besides the sanitizers, every result is checked against what the files hold, so a wrong offset
// is a finding and not only a wild read.

#include "fuzz/DirectoryChecks.h"
#include "fuzz/FuzzCase.h"
#include "fuzz/FuzzTarget.h"
#include "quotes/Dates.h"
#include "quotes/MasterFile.h"
#include "quotes/Mbf.h"
#include "quotes/MovingAverage.h"
#include "quotes/PriceFile.h"
#include "quotes/QuoteBuffer.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const char* what, int value = 0) {
    std::fprintf(stderr, "quote directory fuzz: %s (%d)\n", what, value);
    std::abort();
}

void Check(bool condition, const char* what, int value = 0) {
    if (!condition)
        Fail(what, value);
}

// 70 characters of directory text and more, so that the found directory must be cut to fit.
constexpr const char* kLongName =
    "a-directory-name-long-enough-that-the-found-directory-exceeds-seventy-characters";

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The subdirectory name of the first <DIR> entry, as the lookup reads it: the first 8 name bytes
// up to a NUL, trailing blanks removed. Empty when there is none or it could not be created
// below the directory as one level (a separator, "." or "..").
std::string FirstSubdirectory(const std::string& master) {
    for (std::size_t at = kMasterRecordSize; at + kMasterRecordSize <= master.size();
         at += kMasterRecordSize) {
        const auto* record = reinterpret_cast<const std::uint8_t*>(master.data() + at);
        if (!IsDirectoryEntry(record))
            continue;
        const char* bytes = master.data() + at + kMasterNameOffset;
        std::string name(bytes, strnlen(bytes, 8));
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
            return {};
        return name;
    }
    return {};
}

std::string SwapCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

struct Written {
    std::string base;                          // the directory the lookup starts from
    std::map<std::string, std::string> prices; // directory -> the F1.DAT bytes written there
};

Written WriteDirectory(const std::string& scratch, const FuzzCase& fuzzCase) {
    Written written;
    written.base = scratch;
    if (fuzzCase.flags & kFuzzLongPath) {
        written.base += kLongName;
        written.base += '/';
        std::error_code error;
        fs::create_directory(written.base, error);
    }
    const bool lower = fuzzCase.flags & kFuzzLowerCaseNames;
    const std::string master = lower ? "master" : "MASTER";
    const std::string dat = lower ? "f1.dat" : "F1.DAT";
    const std::string dop = lower ? "f1.dop" : "F1.DOP";
    auto write = [&](const std::string& directory, int section, const std::string& name) {
        const std::optional<std::string>& bytes = fuzzCase.files[section];
        if (bytes && WriteFile(directory + name, *bytes) && name == dat)
            written.prices[directory] = *bytes;
    };
    write(written.base, kSectionMaster, master);
    write(written.base, kSectionDop, dop);
    write(written.base, kSectionDat, dat);
    write(written.base, kSectionEmaster, lower ? "emaster" : "EMASTER");
    write(written.base, kSectionXmaster, lower ? "xmaster" : "XMASTER");
    write(written.base, kSectionMwd, lower ? "f256.mwd" : "F256.MWD");

    if (!fuzzCase.files[kSectionMaster] || !fuzzCase.files[kSectionSubMaster])
        return written;
    std::string name = FirstSubdirectory(*fuzzCase.files[kSectionMaster]);
    if (name.empty())
        return written;
    if (fuzzCase.flags & kFuzzSwapSubdirectoryCase)
        name = SwapCase(name);
    std::error_code error;
    if (!fs::create_directory(written.base + name, error))
        return written;
    const std::string sub = written.base + name + '/';
    write(sub, kSectionSubMaster, master);
    write(sub, kSectionSubDop, dop);
    write(sub, kSectionSubDat, dat);
    return written;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every row read must be the price record it claims to be: the first rows of the newest records
// when start is negative, else the records from start on; and every column whose position lies
// within the record must hold that field.
void CheckRows(const QuoteBuffer& buffer, const std::string& prices, int start) {
    const std::uint8_t* header = buffer.sourceHeader;
    const int recordLength = static_cast<std::int8_t>(header[3]);
    const int fieldCount = static_cast<std::int8_t>(header[4]);
    const int fields = std::min(fieldCount, recordLength / 4);
    std::int16_t map[kColumnCount];
    std::memcpy(map, header + kSourceMapOffset, sizeof map);

    const int first = start < 0 ? buffer.total - buffer.count : start;
    Check(first >= 0, "rows before the first record", first);
    for (int row = 0; row < buffer.count; ++row) {
        const std::size_t at = static_cast<std::size_t>(recordLength) * (first + row + 1);
        Check(at + static_cast<std::size_t>(recordLength) <= prices.size(),
              "a row from beyond the price file", row);
        auto field = [&](int column, float& value) {
            const int position = map[column];
            if (position < 1 || position > fields)
                return false;
            value = MbfToFloat(prices.data() + at + 4 * (position - 1));
            return true;
        };
        float value;
        if (field(kColDate, value))
            Check(buffer.date.Number(row) == YymmddToDay(value), "date of row", row);
        if (field(kColTime, value))
            Check(buffer.time.Number(row) == HhmmssToTime(value), "time of row", row);
        const QuoteColumn* columns[] = {&buffer.open,  &buffer.high,   &buffer.low,
                                        &buffer.close, &buffer.volume, &buffer.openInterest};
        for (int c = 0; c < 6; ++c)
            if (field(kColOpen + c, value))
                Check(SameBits(columns[c]->Value(row), value), "value of row", row);
    }
}

void CheckRead(Status status, const QuoteBuffer& buffer, const Written& written,
               Status lookupStatus, const MasterRecord& record, const std::string& found, int start,
               int count) {
    switch (status) {
    case kStatusSuccess:
    case kStatusFileOpen:
    case kStatusMalloc:
    case kStatusFileRead:
    case kStatusFileNotFound:
    case kStatusRecordNotFound:
    case kStatusBadColumns:
        break;
    default:
        Fail("unexpected status", status);
    }
    if (lookupStatus != kStatusSuccess) {
        Check(status == lookupStatus, "read and lookup disagree", status);
        return;
    }
    if (status != kStatusSuccess)
        return;
    Check(buffer.count >= 0 && buffer.count <= buffer.capacity, "count outside the buffer",
          buffer.count);
    for (const QuoteColumn* column :
         {&buffer.date, &buffer.time, &buffer.open, &buffer.high, &buffer.low, &buffer.close,
          &buffer.volume, &buffer.openInterest})
        Check(column->nRows == buffer.count, "column rows differ from the count", column->nRows);
    Check(buffer.sourceKind == kMetaStockSource && buffer.sourceHeaderSize == kSourceHeaderSize &&
              buffer.sourceHeader,
          "source information missing");
    Check(std::memchr(buffer.directory, 0, sizeof buffer.directory) != nullptr,
          "directory text not terminated");
    Check(std::memchr(buffer.symbol, 0, sizeof buffer.symbol) != nullptr,
          "symbol text not terminated");
    Check(std::strncmp(buffer.directory, found.c_str(), kQuoteDirectorySize - 1) == 0,
          "read found another directory than the lookup");
    Check(std::memcmp(buffer.sourceHeader, record.bytes, kMasterRecordSize) == 0,
          "source header holds another record than the lookup gave");
    if (count == 0)
        return; // the rows are those of the previous read
    Check(buffer.count <= buffer.total, "more rows than data records", buffer.count);
    const auto prices = written.prices.find(found);
    if (prices != written.prices.end() && record.FileNumber() == 1)
        CheckRows(buffer, prices->second, start);
}

void Exercise(const FuzzCase& fuzzCase, const Written& written) {
    MasterRecord record{};
    std::string found;
    const Status lookupStatus = FindMasterRecord(written.base, fuzzCase.symbol, record, found);
    if (lookupStatus == kStatusSuccess) {
        Check(found.compare(0, written.base.size(), written.base) == 0,
              "lookup left the directory tree");
        Check(!found.empty() && found.back() == '/', "found directory without separator");
    } else {
        Check(lookupStatus == kStatusFileNotFound || lookupStatus == kStatusFileRead,
              "unexpected lookup status", lookupStatus);
    }

    const int rows = kFuzzBufferRows[(fuzzCase.flags >> kFuzzRowsShift) & 3];
    QuoteBuffer buffer{};
    Check(AllocQuoteBuffer(buffer, rows) == kStatusSuccess, "cannot allocate the buffer", rows);
    QuoteColumn average{};
    Check(AllocColumn(average, rows) == kStatusSuccess, "cannot allocate a column", rows);

    const int requests[][2] = {
        {fuzzCase.start, fuzzCase.count}, {-1, 800}, {0, -1}, {fuzzCase.start, -1}};
    for (const auto& request : requests) {
        const Status status =
            ReadSecurity(buffer, written.base, fuzzCase.symbol, request[0], request[1]);
        CheckRead(status, buffer, written, lookupStatus, record, found, request[0], request[1]);
        if (buffer.capacity != rows)
            break; // freed by a failed allocation
        if (status != kStatusSuccess)
            continue;
        MovingAverage(buffer.close, average, fuzzCase.period, fuzzCase.movingStart);
        const int zeros = std::min(fuzzCase.movingStart + fuzzCase.period - 1,
                                   std::min<int>(buffer.count, average.nRows));
        for (int row = fuzzCase.movingStart; row < zeros; ++row)
            Check(average.Value(row) == 0, "moving average before its period is full", row);
    }
    FreeColumn(average);
    FreeQuoteBuffer(buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A directory of its own per input: nothing outlives a clean run (libFuzzer ends without
    // running static destructors) and parallel jobs never meet.
    const CTempDir scratch("tickvane-fuzz-");
    const FuzzCase fuzzCase = DecodeFuzzCase(data, size);
    const Written written = WriteDirectory(scratch.Path(), fuzzCase);
    Exercise(fuzzCase, written);
    ExerciseDirectory(written.base);
    return 0;
}
