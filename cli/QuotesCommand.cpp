// tickvane-cli quotes: one security's rows as CSV, every value exact.

#include "cli/CliCommands.h"
#include "quotes/Dates.h"
#include "quotes/PriceFile.h"

#include <charconv>
#include <cstdio>
#include <cstring>
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

// Appends text to a block that is written out in large pieces.
class COutput {
public:
    ~COutput() { Flush(); }
    void Put(const char* text, std::size_t size) {
        if (m_nUsed + size > sizeof m_buffer)
            Flush();
        std::memcpy(m_buffer + m_nUsed, text, size);
        m_nUsed += size;
    }
    void Put(char c) { Put(&c, 1); }
    void PutFloat(float value) {
        char text[32];
        auto result = std::to_chars(text, text + sizeof text, value);
        Put(text, static_cast<std::size_t>(result.ptr - text));
    }
    void PutDigits(int value, int width) {
        char text[12];
        auto result = std::to_chars(text, text + sizeof text, value);
        for (auto digits = result.ptr - text; digits < width; ++digits)
            Put('0');
        Put(text, static_cast<std::size_t>(result.ptr - text));
    }
    void Flush() {
        std::fwrite(m_buffer, 1, m_nUsed, stdout);
        m_nUsed = 0;
    }

private:
    char m_buffer[1 << 16];
    std::size_t m_nUsed = 0;
};

void PutRow(COutput& out, const QuoteBuffer& buffer, int row) {
    const std::int16_t day = buffer.date.Number(row);
    if (day != 0) {
        int year, month, dayOfMonth;
        DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
        out.PutDigits(year + 1900, 4);
        out.Put('-');
        out.PutDigits(month, 2);
        out.Put('-');
        out.PutDigits(dayOfMonth, 2);
    }
    const int seconds = 2 * static_cast<std::uint16_t>(buffer.time.Number(row));
    out.Put(',');
    out.PutDigits(seconds / 3600, 2);
    out.Put(':');
    out.PutDigits(seconds / 60 % 60, 2);
    out.Put(':');
    out.PutDigits(seconds % 60, 2);
    for (const QuoteColumn* column : {&buffer.open, &buffer.high, &buffer.low, &buffer.close,
                                      &buffer.volume, &buffer.openInterest}) {
        out.Put(',');
        out.PutFloat(column->Value(row));
    }
    out.Put('\n');
}

} // namespace

int RunQuotesCommand(const Arguments& arguments) {
    QuotesRequest request;
    std::string problem;
    if (!ParseRequest(arguments, request, problem))
        return UsageError(problem);

    QuoteBuffer buffer{};
    if (Status status = AllocQuoteBuffer(buffer, request.rows)) {
        std::fprintf(stderr, "tickvane-cli: %s (%d)\n", StatusText(status), status);
        return 1;
    }
    const Status status =
        ReadSecurity(buffer, request.directory, request.symbol, request.start, request.count);
    if (status != kStatusSuccess) {
        FreeQuoteBuffer(buffer);
        std::fprintf(stderr, "tickvane-cli: %s (%d)\n", StatusText(status), status);
        return 1;
    }
    {
        COutput out;
        const char header[] = "date,time,open,high,low,close,volume,oi\n";
        out.Put(header, sizeof header - 1);
        for (int row = 0; row < buffer.count; ++row)
            PutRow(out, buffer, row);
    }
    FreeQuoteBuffer(buffer);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
