// tickvane-cli quotes: one security's rows as CSV, every value exact.

#include "chart/QuoteText.h"
#include "cli/CliCommands.h"
#include "platform/FileNames.h"
#include "quotes/PriceFile.h"
#include "quotes/QuoteFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr int kDefaultRows = 800;

struct QuotesRequest {
    std::string directory;
    std::string symbol;
    int start = -1;
    int count = kDefaultRows;
    int rows = kDefaultRows;
};

bool ParseRequest(const Arguments& arguments, QuotesRequest& request, std::string& problem) {
    std::vector<std::string> positional;
    bool all = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--all") {
            all = true;
        } else if (argument == "--start" || argument == "--count") {
            int value = 0;
            if (i + 1 >= arguments.size() || !ParseInt(arguments[i + 1], value)) {
                problem = argument + " needs an integer";
                return false;
            }
            (argument == "--start" ? request.start : request.count) = value;
            ++i;
        } else if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) {
            problem = "unknown option " + argument;
            return false;
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2) {
        problem = "quotes needs a directory and a symbol or name";
        return false;
    }
    request.directory = positional[0];
    request.symbol = positional[1];
    if (all) {
        request.start = 0;
        request.count = -1;
    }
    request.rows = request.count < 0 ? kMaxRowsAll : request.count;
    return true;
}

// Rows are formatted straight into a large block that is written out when it fills up.
class COutput {
public:
    static constexpr std::size_t kRowRoom = kQuoteCsvRowRoom;

    ~COutput() { Flush(); }
    // A pointer where at least kRowRoom bytes may be written; Advance() commits what was.
    char* Reserve() {
        if (m_nUsed + kRowRoom > sizeof m_buffer)
            Flush();
        return m_buffer + m_nUsed;
    }
    void Advance(char* end) { m_nUsed = static_cast<std::size_t>(end - m_buffer); }
    void Flush() {
        std::fwrite(m_buffer, 1, m_nUsed, stdout);
        m_nUsed = 0;
    }

private:
    char m_buffer[1 << 16];
    std::size_t m_nUsed = 0;
};

// A security that no MASTER lists may be one of XMASTER (or of EMASTER in a folder without
// MASTER): looked up there by its symbol or name, ignoring case.
Status ReadAnySecurity(QuoteBuffer& buffer, const std::string& directory, const std::string& symbol,
                       int start, int count) {
    const Status status = ReadSecurity(buffer, directory, symbol, start, count);
    if (status != kStatusFileNotFound)
        return status;
    std::string folder = directory;
    AppendSeparator(folder);
    std::optional<PriceSource> found;
    FolderVisitor visitor;
    visitor.security = [&](const FolderSecurity& security) {
        if (!found &&
            (EqualsNoCase(security.symbol, symbol) || EqualsNoCase(security.name, symbol)))
            found = security.source;
    };
    visitor.note = [](FolderNoteKind, const std::string&) {};
    std::vector<std::string> subdirectories;
    ReadQuoteFolder(folder, visitor, subdirectories);
    return found ? ReadPriceSource(buffer, folder, *found, symbol, start, count) : status;
}

} // namespace

int RunQuotesCommand(const Arguments& arguments) {
    QuotesRequest request;
    std::string problem;
    if (!ParseRequest(arguments, request, problem))
        return UsageError(problem);

    QuoteBuffer buffer{};
    Status status = AllocQuoteBuffer(buffer, request.rows);
    if (status == kStatusSuccess)
        status = ReadAnySecurity(buffer, request.directory, request.symbol, request.start,
                                 request.count);
    if (status != kStatusSuccess) {
        FreeQuoteBuffer(buffer);
        std::fprintf(stderr, "tickvane-cli: %s (%d)\n", StatusText(status), status);
        return 1;
    }
    {
        COutput out;
        char* at = out.Reserve();
        out.Advance(std::copy(kQuoteCsvHeader, kQuoteCsvHeader + sizeof kQuoteCsvHeader - 1, at));
        for (int row = 0; row < buffer.count; ++row)
            out.Advance(PutQuoteCsvRow(out.Reserve(), RecordOf(buffer, row)));
    }
    FreeQuoteBuffer(buffer);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
