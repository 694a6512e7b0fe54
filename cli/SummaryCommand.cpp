// tickvane-cli summary: one CSV line per security of a quote folder, in directory order, with its
// first and last dates, its number of records, its last close, the change of that close against
// the one before in percent, and its last volume. Values are written as export writes them; a
// security without records has them empty, one whose file cannot be read is reported on standard
// error and has them empty too, and the summary then ends with exit code 1.

#include "cli/CliCommands.h"
#include "cli/ExportRows.h"
#include "cli/FolderWalk.h"
#include "cli/OutputSink.h"
#include "platform/FloatText.h"
#include "platform/TextEncoding.h"
#include "quotes/QuoteFolder.h"
#include "quotes/SecurityFigures.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Price records are read this many bytes at a time (whole records).
constexpr std::size_t kReadBlock = 64 * 1024;

void AppendFloat(std::string& line, float value) {
    char text[40];
    line.append(text, PutShortestFloat(text, value));
}

void AppendDate(std::string& line, float value) {
    char text[40];
    bool calendar = false;
    line.append(text, PutStoredDate(text, value, calendar));
}

// The line of one security, ending in a line break.
std::string SummaryLine(const FolderSecurity& security, const SecurityFigures* figures) {
    std::string line;
    AppendCsvField(line, Windows1252ToUtf8(security.symbol));
    line += ',';
    AppendCsvField(line, Windows1252ToUtf8(security.name));
    line += ',';
    if (figures && figures->records > 0) {
        AppendDate(line, figures->firstDate);
        line += ',';
        AppendDate(line, figures->lastDate);
        line += ',' + std::to_string(figures->records) + ',';
        if (figures->hasClose)
            AppendFloat(line, figures->lastClose);
        line += ',';
        if (const auto change = ChangePercent(*figures)) {
            char text[40];
            std::snprintf(text, sizeof text, "%.2f", *change);
            line += text;
        }
        line += ',';
        if (figures->hasVolume)
            AppendFloat(line, figures->lastVolume);
    } else {
        line += figures ? ",,0,,," : ",,,,,";
    }
    line += '\n';
    return line;
}

} // namespace

int RunSummaryCommand(const Arguments& arguments) {
    std::string folder;
    if (int exitCode = 0; !FolderOperand(arguments, "summary", 1, folder, exitCode))
        return exitCode;
    COutputSink out;
    out.UseStandardOutput();
    out.Append("symbol,name,first_date,last_date,records,last_close,change_pct,last_volume\n");
    const std::string shown = folder.empty() ? std::string(".") : folder;
    const CFolderFiles files(folder);
    const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[kReadBlock]);
    bool failed = false;
    FolderVisitor visitor;
    visitor.security = [&](const FolderSecurity& security) {
        SecurityFigures figures;
        std::string problem;
        const bool read =
            ReadSecurityFigures(files, security.source, block.get(), kReadBlock, figures, problem);
        if (!read) {
            std::fprintf(stderr, "tickvane-cli: %s in %s: %s\n",
                         Windows1252ToUtf8(security.symbol).c_str(), shown.c_str(),
                         problem.c_str());
            failed = true;
        }
        out.Append(SummaryLine(security, read ? &figures : nullptr));
    };
    visitor.note = [&](FolderNoteKind kind, const std::string& text) {
        std::fprintf(stderr, "tickvane-cli: %s: %s\n", shown.c_str(), text.c_str());
        failed = failed || kind == FolderNoteKind::kLost;
    };
    std::vector<std::string> subdirectories;
    if (!ReadQuoteFolder(folder, visitor, subdirectories)) {
        std::fprintf(stderr, "tickvane-cli: %s: no usable MASTER, EMASTER or XMASTER\n",
                     shown.c_str());
        failed = true;
    }
    if (!out.Finish()) {
        std::fprintf(stderr, "tickvane-cli: %s\n", out.Problem().c_str());
        return 1;
    }
    return failed ? 1 : 0;
}
