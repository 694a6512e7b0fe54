// tickvane-cli list: the entries of a MASTER file in file order.

#include "cli/CliCommands.h"
#include "quotes/MasterFile.h"

#include <cstdio>
#include <string>

namespace {

std::string WithoutTrailingBlanks(const char* text) {
    std::string result(text);
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

} // namespace

int RunListCommand(const Arguments& arguments) {
    if (arguments.size() != 1)
        return UsageError("list needs the path of a MASTER file");
    const std::string& path = arguments[0];
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "tickvane-cli: cannot open %s\n", path.c_str());
        return 1;
    }
    std::uint8_t record[kMasterRecordSize];
    if (std::fread(record, 1, kMasterRecordSize, file) != kMasterRecordSize) {
        std::fclose(file);
        std::fprintf(stderr, "tickvane-cli: %s has no MASTER header\n", path.c_str());
        return 1;
    }
    const int count = MasterHeaderCount(record);
    std::string listing;
    int index = 0;
    for (; std::fread(record, 1, kMasterRecordSize, file) == kMasterRecordSize; ++index) {
        char name[kMasterNameSize + 1];
        char symbol[kMasterSymbolSize + 1];
        TakeMasterName(record, name);
        const std::string trimmedName = WithoutTrailingBlanks(name);
        const bool hasSymbol = TakeMasterSymbol(record, symbol);
        listing += std::to_string(index) + '\t' + (hasSymbol ? symbol : trimmedName.c_str()) +
                   '\t' + trimmedName + '\n';
    }
    std::fclose(file);
    if (index != count) {
        std::fprintf(stderr, "tickvane-cli: %s lists %d entries in its header but holds %d\n",
                     path.c_str(), count, index);
        return 1;
    }
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    return 0;
}
