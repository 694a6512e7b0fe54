#include "fuzz/DirectoryChecks.h"

#include "chart/Bars.h"
#include "chart/MasterPath.h"
#include "platform/MemorySettings.h"
#include "quotes/QuoteFolder.h"
#include "tests/support/ScriptedMessages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition, const char* what, long value = 0) {
    if (condition)
        return;
    std::fprintf(stderr, "quote directory fuzz: %s (%ld)\n", what, value);
    std::abort();
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// Index files hold at most this many bytes of a symbol or a name.
constexpr std::size_t kLongestSymbol = 21;
constexpr std::size_t kLongestName = 52;

void CheckListing(CBars& bars) {
    const int count = bars.GetSymbolCount();
    Check(count >= 0 && count <= kMaxDirectoryEntries, "entries beyond the tables", count);
    for (int i = 0; i < count; ++i) {
        Check(std::strlen(bars.GetSymbol(i)) <= kLongestSymbol, "symbol too long", i);
        Check(std::strlen(bars.GetShortName(i)) <= 3 * kLongestName, "name too long", i);
        Check(IsUtf8(bars.GetName(i)) && IsUtf8(bars.GetLongName(i)), "name not UTF-8", i);
    }
    Check(bars.GetSymbol(count) == nullptr && bars.GetName(-1) == nullptr, "entry outside");
    // The first entries and the last, each loaded as a step there loads it.
    for (int i = 0; i < count; i = i < 3 ? i + 1 : std::max(i + 1, count - 3)) {
        bars.StepSymbol(i - bars.GetCurrentIndex());
        Check(bars.GetCurrentIndex() == i, "step missed its entry", i);
        if (!bars.IsDataLoaded())
            continue;
        const QuoteBuffer& quotes = bars.GetQuotes();
        Check(quotes.count >= 0 && quotes.count <= quotes.capacity, "rows outside the buffer");
        Check(quotes.total >= quotes.count, "more rows than records", quotes.count);
    }
}

} // namespace

void ExerciseDirectory(const std::string& directory) {
    CMemorySettings settings;
    CScriptedMessages messages; // declines every repair, so no file is written
    CBars bars(settings, messages);
    if (bars.SetMasterPath(MasterPathToOpen(directory).c_str()) == 1 && bars.ReadMaster() == 0)
        CheckListing(bars);

    FolderVisitor visitor;
    visitor.security = [](const FolderSecurity& security) {
        Check(security.symbol.size() <= kLongestSymbol, "export symbol too long");
        Check(security.name.size() <= kLongestName, "export name too long");
        Check(security.source.fileNumber >= 0 && security.source.fileNumber <= 65535,
              "file number out of range", security.source.fileNumber);
    };
    visitor.note = [](FolderNoteKind, const std::string& text) {
        Check(!text.empty(), "a note without words");
    };
    std::vector<std::string> subdirectories;
    ReadQuoteFolder(directory, visitor, subdirectories);
    for (const std::string& name : subdirectories)
        Check(!name.empty() && name.size() <= 8, "subdirectory name", long(name.size()));
}
