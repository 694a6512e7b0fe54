#include "chart/ChartCommands.h"

#include "chart/Bars.h"

namespace {

constexpr ChartStyle kStyles[] = {ChartStyle::Bars, ChartStyle::Ohlc, ChartStyle::Candles,
                                  ChartStyle::Line};
constexpr ChartPeriod kPeriods[] = {ChartPeriod::Stored, ChartPeriod::Daily, ChartPeriod::Weekly,
                                    ChartPeriod::Monthly};

bool IsStyle(int id) {
    return id >= ID_CHART_STYLE_BARS && id <= ID_CHART_STYLE_LINE;
}
bool IsPeriod(int id) {
    return id >= ID_CHART_PERIOD_STORED && id <= ID_CHART_PERIOD_MONTHLY;
}

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
    if (IsStyle(id))
        options.style = kStyles[id - ID_CHART_STYLE_BARS];
    else if (IsPeriod(id))
        options.period = kPeriods[id - ID_CHART_PERIOD_STORED];
    else if (id == ID_CHART_LOG_SCALE)
        options.bLogScale = !options.bLogScale;
    else if (id == ID_CHART_GRID)
        options.bGrid = !options.bGrid;
    else
        return false;
    return true;
}

bool IsChartCommandChecked(int id, const ChartOptions& options) {
    if (IsStyle(id))
        return options.style == kStyles[id - ID_CHART_STYLE_BARS];
    if (IsPeriod(id))
        return options.period == kPeriods[id - ID_CHART_PERIOD_STORED];
    if (id == ID_CHART_LOG_SCALE)
        return options.bLogScale;
    return id == ID_CHART_GRID && options.bGrid;
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
