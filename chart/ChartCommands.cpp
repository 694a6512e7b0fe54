#include "chart/ChartCommands.h"

#include "chart/Bars.h"

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + (count == 1 ? one : many);
}

} // namespace

const ChartCommand* FindChartCommand(int id) {
    for (const ChartCommand& command : kChartCommands)
        if (command.nId == id)
            return &command;
    return nullptr;
}

bool ApplyChartCommand(int id, ChartOptions& options) {
    const ChartCommand* command = FindChartCommand(id);
    if (!command)
        return false;
    std::visit(Overloaded{[&](ChartStyle style) { options.style = style; },
                          [&](ChartPeriod period) { options.period = period; },
                          [&](bool ChartOptions::*flag) { options.*flag = !(options.*flag); }},
               command->action);
    return true;
}

bool IsChartCommandChecked(int id, const ChartOptions& options) {
    const ChartCommand* command = FindChartCommand(id);
    return command &&
           std::visit(Overloaded{[&](ChartStyle style) { return options.style == style; },
                                 [&](ChartPeriod period) { return options.period == period; },
                                 [&](bool ChartOptions::*flag) { return options.*flag; }},
                      command->action);
}

bool RunChartCommand(int id, CBars& bars, Settings& settings) {
    ChartOptions options = bars.GetChartOptions();
    if (!ApplyChartCommand(id, options) || options == bars.GetChartOptions())
        return false;
    bars.SetChartOptions(options);
    StoreChartOptions(settings, options);
    return true;
}

std::string LeftOutText(const LeftOutCounts& counts) {
    std::string text;
    if (counts.nBadData > 0)
        text = Counted(counts.nBadData, " bad record hidden", " bad records hidden");
    if (counts.nNotOnLog > 0)
        text += (text.empty() ? "" : ", ") +
                Counted(counts.nNotOnLog, " record of 0 or below left out of the log scale",
                        " records of 0 or below left out of the log scale");
    return text;
}
