#include "quotes/MasterFile.h"

#include "platform/FileNames.h"
#include "platform/RegularFile.h"
#include "quotes/Mbf.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

int MasterHeaderCount(const std::uint8_t* header) {
    return static_cast<std::int16_t>(header[0] | (header[1] << 8));
}

bool IsDirectoryEntry(const std::uint8_t* record) {
    return std::memcmp(record + kMasterDirTagOffset, "<DIR>", 5) == 0 &&
           record[kMasterNameOffset] != ' ';
}

void TakeMasterName(const std::uint8_t* record, char name[kMasterNameSize + 1]) {
    std::memcpy(name, record + kMasterNameOffset, kMasterNameSize);
    name[kMasterNameSize] = '\0';
}

bool TakeMasterSymbol(const std::uint8_t* record, char symbol[kMasterSymbolSize + 1]) {
    std::memcpy(symbol, record + kMasterSymbolOffset, kMasterSymbolSize);
    symbol[kMasterSymbolSize] = '\0';
    for (int i = 0; i < kMasterSymbolSize; ++i)
        if (static_cast<signed char>(symbol[i]) <= 0x20)
            symbol[i] = '\0';
    return symbol[0] != '\0';
}

bool TakeListedSymbol(const std::uint8_t* record, char symbol[kMasterSymbolSize + 1]) {
    if (TakeMasterSymbol(record, symbol))
        return true;
    char name[kMasterNameSize + 1];
    TakeMasterName(record, name);
    std::memcpy(symbol, name, std::strlen(name) + 1);
    return false;
}

std::string MasterSubdirectoryName(const std::uint8_t* record) {
    const char* bytes = reinterpret_cast<const char*>(record + kMasterNameOffset);
    std::string_view name(bytes, strnlen(bytes, 8));
    name = TrimTrailingBlanks(name);
    if (name == "." || name == "..")
        return {};
    for (char c : name)
        if (c == '/' || c == '\\' || c == ':')
            return {};
    return std::string(name);
}

MasterContents ReadMasterContents(std::FILE* file) {
    MasterContents contents;
    contents.fileSize = OpenFileSize(file);
    std::uint8_t header[kMasterRecordSize];
    if (std::fread(header, 1, kMasterRecordSize, file) != kMasterRecordSize)
        return contents;
    contents.headerRead = true;
    contents.count = MasterHeaderCount(header);
    contents.recordsInFile = std::max(contents.fileSize, 0LL) / kMasterRecordSize - 1;
    const long long wanted = std::min<long long>(contents.count, contents.recordsInFile);
    if (wanted <= 0)
        return contents;
    contents.records.resize(static_cast<std::size_t>(wanted));
    const std::size_t got =
        std::fread(contents.records.data(), kMasterRecordSize, contents.records.size(), file);
    contents.records.resize(got);
    return contents;
}

MasterContents MasterContentsOf(const std::uint8_t* bytes, std::size_t size) {
    MasterContents contents;
    contents.fileSize = static_cast<long long>(size);
    if (size < kMasterRecordSize)
        return contents;
    contents.headerRead = true;
    contents.count = MasterHeaderCount(bytes);
    contents.recordsInFile = contents.fileSize / kMasterRecordSize - 1;
    const long long wanted = std::min<long long>(contents.count, contents.recordsInFile);
    if (wanted > 0) {
        contents.records.resize(static_cast<std::size_t>(wanted));
        std::memcpy(contents.records.data(), bytes + kMasterRecordSize,
                    contents.records.size() * kMasterRecordSize);
    }
    return contents;
}

namespace {

struct Level {
    int position;                // 1-based record number of the next entry, 0 before the scan
    int count;                   // entries of this level's master
    std::size_t directoryLength; // length of the directory text at this level
};

// A symbol area is compared word by word: a wanted text with k blanks is compared with the area up
// to its (k + 1)-th blank, never beyond the area or a NUL in it.
std::string_view SymbolWords(const std::uint8_t* record, int wantedBlanks) {
    const char* area = reinterpret_cast<const char*>(record + kMasterSymbolOffset);
    int blanks = 0;
    std::size_t end = 0;
    for (; end < kMasterSymbolSize && area[end] != '\0'; ++end)
        if (area[end] == ' ' && ++blanks > wantedBlanks)
            break;
    return {area, end};
}

bool Matches(const std::uint8_t* record, std::string_view wanted, int wantedBlanks) {
    char name[kMasterNameSize + 1];
    TakeMasterName(record, name);
    if (EqualsNoCase(TrimTrailingBlanks(name), TrimTrailingBlanks(wanted)))
        return true;
    return EqualsNoCase(SymbolWords(record, wantedBlanks), wanted);
}

// Full text of the subdirectory to enter, or empty when the entry cannot be followed: unsafe or
// missing, or already visited in this lookup (a link back up the tree). Its text may be as long as
// the system allows.
std::string EnterableSubdirectory(const std::string& directory, const std::uint8_t* record,
                                  std::vector<std::string>& visited) {
    const std::string name = MasterSubdirectoryName(record);
    if (name.empty())
        return {};
    std::string path = ResolveSubdirectory(directory, name);
    if (path.empty())
        return {};
    AppendSeparator(path);
    std::string identity = DirectoryIdentity(path);
    if (identity.empty() || std::find(visited.begin(), visited.end(), identity) != visited.end())
        return {};
    visited.push_back(std::move(identity));
    return path;
}

} // namespace

Status FindMasterRecord(std::string_view startDirectory, std::string_view wanted,
                        MasterRecord& record, std::string& foundDirectory) {
    const int wantedBlanks = static_cast<int>(std::count(wanted.begin(), wanted.end(), ' '));
    std::string directory(startDirectory);
    AppendSeparator(directory);
    // Directories entered so far, the starting one first; taken only when a subdirectory is
    // entered, so that the usual lookup in one directory costs no extra call to the system.
    std::vector<std::string> visited;
    std::vector<Level> levels{{0, 0, directory.size()}};
    std::uint8_t entry[kMasterRecordSize];

    for (;;) {
        Level& level = levels.back();
        bool exhausted = false;
        bool entered = false;
        const CFilePtr owner = OpenFileNoCase(directory, "master", "rb");
        std::FILE* file = owner.get();
        if (!file || std::fread(entry, 1, kMasterRecordSize, file) != kMasterRecordSize) {
            exhausted = true;
        } else {
            level.count = std::max(0, MasterHeaderCount(entry));
            if (level.position == 0) {
                // Every security of this master is compared before any subdirectory is entered.
                for (int k = 1; k <= level.count; ++k) {
                    if (std::fread(entry, 1, kMasterRecordSize, file) != kMasterRecordSize) {
                        exhausted = true;
                        break;
                    }
                    if (IsDirectoryEntry(entry)) {
                        if (level.position == 0)
                            level.position = k;
                    } else if (Matches(entry, wanted, wantedBlanks)) {
                        std::memcpy(record.bytes, entry, kMasterRecordSize);
                        MbfToIeee(record.bytes + kMasterFirstDateOffset,
                                  record.bytes + kMasterFirstDateOffset);
                        MbfToIeee(record.bytes + kMasterLastDateOffset,
                                  record.bytes + kMasterLastDateOffset);
                        foundDirectory = directory;
                        return kStatusSuccess;
                    }
                }
                if (!exhausted && level.position == 0)
                    level.position = level.count + 1;
            }
            if (!exhausted && level.position <= level.count &&
                std::fseek(file, static_cast<long>(level.position) * kMasterRecordSize, SEEK_SET) !=
                    0)
                return kStatusFileRead;
            while (!exhausted && level.position <= level.count) {
                if (std::fread(entry, 1, kMasterRecordSize, file) != kMasterRecordSize)
                    return kStatusFileRead;
                ++level.position;
                if (!IsDirectoryEntry(entry) || levels.size() >= kMaxMasterLevels)
                    continue;
                if (visited.empty())
                    visited.push_back(
                        DirectoryIdentity(directory.substr(0, levels.front().directoryLength)));
                std::string subdirectory = EnterableSubdirectory(directory, entry, visited);
                if (subdirectory.empty())
                    continue;
                directory = std::move(subdirectory);
                entered = true;
                break;
            }
        }
        if (entered) {
            levels.push_back({0, 0, directory.size()});
            continue;
        }
        if (exhausted) {
            level.position = 1;
            level.count = 0;
        }
        if (level.position == level.count + 1) {
            if (levels.size() == 1)
                return kStatusFileNotFound;
            levels.pop_back();
            directory.resize(levels.back().directoryLength);
        }
    }
}
