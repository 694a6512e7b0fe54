#include "quotes/IndexFiles.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kEmasterFileNumberOffset = 2;
constexpr int kEmasterFieldCountOffset = 6;
constexpr int kEmasterBitsOffset = 7;
constexpr int kEmasterSymbolOffset = 11;
constexpr int kEmasterSymbolSize = 21;
constexpr int kEmasterNameOffset = 32;
constexpr int kEmasterNameSize = 16;
constexpr int kEmasterPeriodOffset = 60;
constexpr int kEmasterFirstDateOffset = 64;
constexpr int kEmasterLastDateOffset = 72;
constexpr int kEmasterLongNameOffset = 139;
constexpr int kEmasterLongNameSize = 52;

constexpr int kXmasterCountOffset = 10;
constexpr int kXmasterSymbolOffset = 1;
constexpr int kXmasterSymbolSize = 15;
constexpr int kXmasterNameOffset = 16;
constexpr int kXmasterNameSize = 46;
constexpr int kXmasterPeriodOffset = 62;
constexpr int kXmasterFileNumberOffset = 65;
constexpr int kXmasterBitsOffset = 70;
constexpr int kXmasterFirstDateOffset = 108;
constexpr int kXmasterLastDateOffset = 116;

// Records are read this many at a time.
constexpr int kRecordsPerChunk = 256;

std::string_view TextAt(const std::uint8_t* record, int offset, int size) {
    const char* text = reinterpret_cast<const char*>(record + offset);
    return {text, strnlen(text, static_cast<std::size_t>(size))};
}

unsigned Uint16At(const std::uint8_t* bytes, int offset) {
    return bytes[offset] | (static_cast<unsigned>(bytes[offset + 1]) << 8);
}

float IeeeAt(const std::uint8_t* bytes, int offset) {
    float value = 0;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// YYYYMMDD as (C)YYMMDD.
float CyymmddAt(const std::uint8_t* bytes, int offset) {
    const std::uint32_t ymd = bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                              (std::uint32_t(bytes[offset + 3]) << 24);
    return ymd >= 19000000 ? static_cast<float>(ymd - 19000000) : static_cast<float>(ymd);
}

IndexSecurity EmasterSecurity(const std::uint8_t* record) {
    IndexSecurity security;
    security.source.fileNumber = record[kEmasterFileNumberOffset];
    security.source.fieldCount = record[kEmasterFieldCountOffset];
    security.source.recordLength = 4 * security.source.fieldCount;
    security.source.fieldBits = record[kEmasterBitsOffset];
    security.source.intraday = record[kEmasterPeriodOffset] == 'I';
    security.symbol = TextAt(record, kEmasterSymbolOffset, kEmasterSymbolSize);
    security.name = TextAt(record, kEmasterNameOffset, kEmasterNameSize);
    security.longName = TextAt(record, kEmasterLongNameOffset, kEmasterLongNameSize);
    security.firstDate = IeeeAt(record, kEmasterFirstDateOffset);
    security.lastDate = IeeeAt(record, kEmasterLastDateOffset);
    return security;
}

IndexSecurity XmasterSecurity(const std::uint8_t* record) {
    IndexSecurity security;
    security.source.fileNumber = static_cast<int>(Uint16At(record, kXmasterFileNumberOffset));
    security.source.fieldBits = record[kXmasterBitsOffset];
    security.source.fieldCount = std::popcount(security.source.fieldBits);
    security.source.recordLength = 4 * security.source.fieldCount;
    security.source.intraday = record[kXmasterPeriodOffset] == 'I';
    security.source.mwd = true;
    security.symbol = TextAt(record, kXmasterSymbolOffset, kXmasterSymbolSize);
    security.name = TextAt(record, kXmasterNameOffset, kXmasterNameSize);
    security.longName = security.name;
    security.firstDate = CyymmddAt(record, kXmasterFirstDateOffset);
    security.lastDate = CyymmddAt(record, kXmasterLastDateOffset);
    return security;
}

struct IndexLayout {
    const char* fileName;
    int recordSize;
    int countOffset;
    IndexSecurity (*decode)(const std::uint8_t* record);
};

IndexFileState ReadIndex(const std::string& directory, const IndexLayout& layout,
                         const std::function<void(const IndexSecurity&)>& take) {
    const CFilePtr file = OpenFileNoCase(directory, layout.fileName, "rb");
    if (!file)
        return ExistingNameNoCase(directory, layout.fileName).empty() ? IndexFileState::kAbsent
                                                                      : IndexFileState::kUnusable;
    const auto recordSize = static_cast<std::size_t>(layout.recordSize);
    std::vector<std::uint8_t> chunk(recordSize * kRecordsPerChunk);
    if (std::fread(chunk.data(), 1, recordSize, file.get()) != recordSize)
        return IndexFileState::kUnusable;
    const long long count = Uint16At(chunk.data(), layout.countOffset);
    if (OpenFileSize(file.get()) < layout.recordSize * (count + 1))
        return IndexFileState::kUnusable;
    for (long long done = 0; done < count;) {
        const auto wanted =
            static_cast<std::size_t>(std::min<long long>(count - done, kRecordsPerChunk));
        if (std::fread(chunk.data(), recordSize, wanted, file.get()) != wanted)
            return IndexFileState::kUnusable;
        for (std::size_t k = 0; k < wanted; ++k)
            take(layout.decode(chunk.data() + k * recordSize));
        done += static_cast<long long>(wanted);
    }
    return IndexFileState::kRead;
}

} // namespace

IndexFileState ReadEmaster(const std::string& directory,
                           const std::function<void(const IndexSecurity&)>& take) {
    return ReadIndex(directory, {"EMASTER", kEmasterRecordSize, 0, EmasterSecurity}, take);
}

IndexFileState ReadXmaster(const std::string& directory,
                           const std::function<void(const IndexSecurity&)>& take) {
    return ReadIndex(directory,
                     {"XMASTER", kXmasterRecordSize, kXmasterCountOffset, XmasterSecurity}, take);
}

std::string_view FirstSymbolWord(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && static_cast<signed char>(text[end]) > 0x20)
        ++end;
    return text.substr(0, end);
}

bool EmasterAgrees(const std::vector<MasterRecord>& master,
                   const std::vector<EmasterEntry>& emaster) {
    if (master.size() != emaster.size())
        return false;
    char symbol[kMasterSymbolSize + 1];
    for (std::size_t i = 0; i < master.size(); ++i) {
        TakeListedSymbol(master[i].bytes, symbol);
        if (master[i].FileNumber() != emaster[i].fileNumber ||
            std::string_view(symbol) != FirstSymbolWord(emaster[i].symbol))
            return false;
    }
    return true;
}
