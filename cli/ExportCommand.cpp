// tickvane-cli export: every security of a quote folder and of the folders its MASTER lists, every
// record of each, as one CSV or one SQLite database (ExportWriter.h). A security that cannot be
// read is reported and skipped; the export goes on and ends with exit code 1.

#include "cli/CliCommands.h"
#include "cli/CsvExportWriter.h"
#include "cli/ExportWriter.h"
#include "cli/FolderWalk.h"
#include "cli/Progress.h"
#include "cli/SqliteExportWriter.h"
#include "platform/FileNames.h"
#include "platform/FloatText.h"
#include "platform/RegularFile.h"
#include "platform/TextEncoding.h"
#include "quotes/PriceRecordReader.h"
#include "quotes/QuoteFolder.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Price records are read this many bytes at a time (whole records).
constexpr std::size_t kReadBlock = 64 * 1024;

enum class ExportFormat { kCsv, kSqlite };

struct ExportRequest {
    std::string input;
    std::string output;
    ExportFormat format = ExportFormat::kCsv;
    std::vector<std::string> symbols; // empty: all
};

bool ParseExport(const Arguments& arguments, ExportRequest& request, std::string& problem) {
    int positional = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if ((a == "-o" || a == "--symbols" || a == "--format") && i + 1 < arguments.size()) {
            const std::string& value = arguments[++i];
            if (a == "-o") {
                request.output = value;
                continue;
            }
            if (a == "--format") {
                if (value != "csv" && value != "sqlite") {
                    problem = "--format takes csv or sqlite, not " + value;
                    return false;
                }
                request.format = value == "csv" ? ExportFormat::kCsv : ExportFormat::kSqlite;
                continue;
            }
            for (std::size_t at = 0; at <= value.size();) {
                const std::size_t comma = std::min(value.find(',', at), value.size());
                if (comma > at)
                    request.symbols.push_back(value.substr(at, comma - at));
                at = comma + 1;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "unknown or incomplete option " + a;
            return false;
        } else if (positional++ == 0) {
            request.input = a;
        }
    }
    if (positional != 1 || request.output == "-") {
        problem = "export needs one quote folder (or its MASTER, EMASTER or XMASTER) and at most "
                  "-o FILE";
        return false;
    }
    if (request.format == ExportFormat::kSqlite && request.output.empty()) {
        problem = "export --format sqlite needs -o FILE";
        return false;
    }
    return true;
}

class CExporter {
public:
    CExporter(const ExportRequest& request, ExportWriter& out)
        : m_request(request), m_out(out), m_bFound(request.symbols.size(), false),
          m_block(new std::uint8_t[kReadBlock]) {}

    void ExportTree(const std::string& folder);
    // Reports the requested symbols that no security had.
    void ReportMissingSymbols();
    bool AnySkipped() const { return m_bSkipped; }

private:
    void ExportSecurity(const CFolderFiles& files, const FolderSecurity& security);
    bool Wanted(std::string_view symbol);
    // Writes the security and its rows; an empty text, or why the security could not be read.
    std::string WriteRows(const CFolderFiles& files, const FolderSecurity& security, OddDates& odd);
    void Report(const std::string& text);

    const ExportRequest& m_request;
    ExportWriter& m_out;
    std::vector<bool> m_bFound;
    std::unique_ptr<std::uint8_t[]> m_block; // left uninitialised: only what is read is used
    CProgress m_progress;
    int m_nSecurities = 0;
    long long m_nRows = 0;
    bool m_bSkipped = false;
};

void CExporter::Report(const std::string& text) {
    m_progress.Clear();
    std::fprintf(stderr, "tickvane-cli: %s\n", text.c_str());
}

void CExporter::ExportTree(const std::string& folder) {
    FolderWalkVisitor visitor;
    visitor.security = [this](const CFolderFiles& files, const FolderSecurity& security) {
        if (m_out.Good())
            ExportSecurity(files, security);
    };
    visitor.problem = [this](const std::string& text, bool lost) {
        Report(text);
        m_bSkipped = m_bSkipped || lost;
    };
    WalkQuoteFolders(folder, visitor);
}

bool CExporter::Wanted(std::string_view symbol) {
    if (m_request.symbols.empty())
        return true;
    // A symbol is asked for by its whole text or by its first word, ignoring case.
    const std::string_view firstWord = symbol.substr(0, symbol.find(' '));
    bool wanted = false;
    for (std::size_t i = 0; i < m_request.symbols.size(); ++i) {
        const std::string& asked = m_request.symbols[i];
        if (EqualsNoCase(asked, symbol) || EqualsNoCase(asked, firstWord)) {
            m_bFound[i] = true;
            wanted = true;
        }
    }
    return wanted;
}

void CExporter::ExportSecurity(const CFolderFiles& files, const FolderSecurity& security) {
    if (!Wanted(security.symbol))
        return;
    OddDates odd;
    const std::string problem = WriteRows(files, security, odd);
    ++m_nSecurities;
    const std::string& folder = files.Directory();
    const std::string where =
        Windows1252ToUtf8(security.symbol) + " in " + (folder.empty() ? std::string(".") : folder);
    if (odd.nCount > 0) {
        // Written as the chart shows them; the user should know that they are not as stored.
        char stored[32], shown[32];
        bool calendar = false;
        *PutShortestFloat(stored, odd.fFirst) = '\0';
        char* end = PutStoredDate(shown, odd.fFirst, calendar);
        *end = '\0';
        Report(where + ": " + std::to_string(odd.nCount) +
               (odd.nCount == 1 ? " record stores" : " records store") +
               " a date that is no calendar day from 1961 to 2139; the first, " + stored +
               ", is written as " + (end == shown ? std::string("an empty date") : shown));
    }
    if (!problem.empty()) {
        Report("skipped " + where + ": " + problem);
        m_bSkipped = true;
    }
    m_progress.Show(m_nSecurities, m_nRows);
}

std::string CExporter::WriteRows(const CFolderFiles& files, const FolderSecurity& security,
                                 OddDates& odd) {
    const PriceSource& source = security.source;
    const std::string file = PriceDataFileName(source);
    const int recordLength = source.recordLength;
    if (recordLength < kMinRecordLength || recordLength > kMaxRecordLength)
        return "its records of " + std::to_string(recordLength) + " bytes cannot be read";
    std::int16_t columns[kColumnCount], first[kColumnCount], second[kColumnCount];
    const std::string& folder = files.Directory();
    if (SourceColumns(files, source, columns, first, second) != kStatusSuccess)
        return "the columns of " + file + " cannot be determined";
    CPriceRecordReader records(source, m_block.get(), kReadBlock);
    if (!records.Open(files)) {
        const std::string name = ExistingNameNoCase(folder, file);
        return name.empty() ? file + " is missing"
                            : name + " is " + UnreadableReason(folder + name);
    }
    const std::string symbol = Windows1252ToUtf8(security.symbol);
    const std::string name = Windows1252ToUtf8(security.name);
    const std::string shortName = Windows1252ToUtf8(security.shortName);
    const std::string longName = Windows1252ToUtf8(security.longName);
    std::string shownFolder = folder.empty() ? std::string(".") : folder;
    if (shownFolder.size() > 1 && IsPathSeparator(shownFolder.back()))
        shownFolder.pop_back();
    m_out.BeginSecurity({symbol, name, shortName, longName, shownFolder, file, columns,
                         std::min(source.fieldCount, recordLength / 4)});
    long long given = 0;
    const CPriceRecordReader::Outcome outcome = records.ReadAll(
        [&](const std::uint8_t* block, std::size_t rows) {
            m_out.WriteRecords(block, static_cast<int>(rows), recordLength, odd);
            m_nRows += static_cast<long long>(rows);
            m_progress.Show(m_nSecurities, m_nRows);
            return m_out.Good();
        },
        given);
    m_out.EndSecurity(outcome == CPriceRecordReader::Outcome::kDone);
    switch (outcome) {
    case CPriceRecordReader::Outcome::kDone:
        break;
    case CPriceRecordReader::Outcome::kNoHeader:
        return file + " is shorter than its header";
    case CPriceRecordReader::Outcome::kShort:
        return file + ": read failed after " + std::to_string(given) + " records";
    }
    return {};
}

void CExporter::ReportMissingSymbols() {
    for (std::size_t i = 0; i < m_request.symbols.size(); ++i)
        if (!m_bFound[i]) {
            Report("no security has the symbol " + m_request.symbols[i]);
            m_bSkipped = true;
        }
}

} // namespace

int RunExportCommand(const Arguments& arguments) {
    ExportRequest request;
    std::string problem;
    if (!ParseExport(arguments, request, problem))
        return UsageError(problem);
    std::string folder;
    if (!QuoteFolderOf(request.input, folder)) {
        std::fprintf(stderr,
                     "tickvane-cli: %s is neither a quote folder nor its MASTER, EMASTER or "
                     "XMASTER\n",
                     request.input.c_str());
        return 1;
    }
    std::unique_ptr<ExportWriter> out;
    if (request.format == ExportFormat::kCsv) {
        auto csv = std::make_unique<CCsvExportWriter>();
        if (csv->Open(request.output, problem))
            out = std::move(csv);
    } else {
        auto database = std::make_unique<CSqliteExportWriter>();
        if (database->Open(request.output, problem))
            out = std::move(database);
    }
    if (!out) {
        std::fprintf(stderr, "tickvane-cli: %s\n", problem.c_str());
        return 1;
    }
    CExporter exporter(request, *out);
    exporter.ExportTree(folder);
    exporter.ReportMissingSymbols();
    if (!out->Finish()) {
        std::fprintf(stderr, "tickvane-cli: %s\n", out->Problem().c_str());
        return 1;
    }
    return exporter.AnySkipped() ? 1 : 0;
}
