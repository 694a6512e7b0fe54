// tickvane-cli studies: the values of studies over a security's whole history, one CSV line per
// bar: date,time, then a column for each output of each study, empty where it has no value yet.

#include "chart/Bars.h"
#include "chart/QuoteHistory.h"
#include "chart/QuoteText.h"
#include "chart/RecordSource.h"
#include "chart/studies/StudyEngine.h"
#include "cli/CliCommands.h"
#include "cli/CliMessages.h"
#include "cli/ExportRows.h"
#include "platform/FileNames.h"
#include "platform/MemorySettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct StudiesRequest {
    std::string folder;
    std::string symbol;
    std::vector<StudySpec> specs;
    BarRules rules;
};

bool ParseStudies(const Arguments& arguments, StudiesRequest& request, std::string& problem) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--study" && hasValue) {
            StudySpec spec;
            if (!ParseStudySpec(arguments[++i], spec, problem)) {
                problem = "--study " + arguments[i] + ": " + problem;
                return false;
            }
            request.specs.push_back(spec);
        } else if (a == "--period" && hasValue) {
            if (!ParseChartPeriod(arguments[++i], request.rules.period)) {
                problem = "--period needs stored, daily, weekly or monthly";
                return false;
            }
        } else if (a == "--hide-bad-data") {
            request.rules.bHideBadData = true;
        } else if (a.size() > 1 && a[0] == '-') {
            problem = "unknown or incomplete option " + a;
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2 || request.specs.empty()) {
        problem = "studies needs a quote folder (or its index file), a symbol and at least one "
                  "--study SPEC";
        return false;
    }
    request.folder = positional[0];
    request.symbol = positional[1];
    return true;
}

// The entry with that symbol (or name), compared ignoring case; -1 when none has it.
int FindEntry(const CBars& bars, const std::string& wanted) {
    for (int i = 0; i < bars.GetSymbolCount(); ++i)
        if (EqualsNoCase(bars.GetSymbol(i), wanted))
            return i;
    for (int i = 0; i < bars.GetSymbolCount(); ++i) {
        std::string name = bars.GetName(i);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (EqualsNoCase(name, wanted))
            return i;
    }
    return -1;
}

void AppendValue(std::string& line, double value) {
    line += ',';
    if (std::isnan(value))
        return;
    char text[64];
    line.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace

int RunStudiesCommand(const Arguments& arguments) {
    StudiesRequest request;
    std::string problem;
    if (!ParseStudies(arguments, request, problem))
        return UsageError(problem);

    CMemorySettings settings;
    CCliMessages messages;
    CBars bars(settings, messages);
    if (!OpenMasterFile(bars, request.folder, messages))
        return 1;
    const int entry = FindEntry(bars, request.symbol);
    if (entry < 0) {
        messages.Show("no security has the symbol or name " + request.symbol, MessageIcon::Stop);
        return 1;
    }
    bars.StepSymbol(entry);
    CQuoteHistory history;
    const Status status = history.Read([&](QuoteBuffer& buffer, int start, int count) {
        return bars.ReadCurrentRows(buffer, start, count);
    });
    if (status != kStatusSuccess) {
        messages.Show("the records of " + request.symbol + " cannot be read: " + StatusText(status),
                      MessageIcon::Stop);
        return 1;
    }
    history.Build(request.rules);
    const CRecordSource source = SourceOfHistory(history);
    for (const StudySpec& spec : request.specs)
        if (spec.pType->inputs == StudyInputs::CloseVolume && !source.HasColumn(kColVol)) {
            messages.Show(SpecTitle(spec) + " needs volumes, and " + request.symbol +
                              " stores none",
                          MessageIcon::Stop);
            return 1;
        }

    std::vector<StudyValues> values;
    std::string line = "date,time";
    for (const StudySpec& spec : request.specs) {
        values.push_back(ComputeStudy(spec, source));
        for (std::size_t k = 0; k < spec.pType->outputs.size(); ++k) {
            line += ',';
            AppendCsvField(line, OutputName(spec, k));
        }
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    // Built bars stand for many records and have no time of their own.
    const bool times = source.HasColumn(kColTime) && request.rules.period == ChartPeriod::Stored;
    for (int i = 0; i < source.nCount; ++i) {
        char text[32];
        line.assign(text, PutIsoDate(text, source.date[i]));
        line += ',';
        if (times)
            line.append(text, PutTimeOfDay(text, source.time[i]));
        for (const StudyValues& study : values)
            for (const std::vector<double>& output : study.outputs)
                AppendValue(line, output[static_cast<std::size_t>(i)]);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
