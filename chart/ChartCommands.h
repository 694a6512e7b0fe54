#pragma once
// What the commands of the "&Chart" menu do to the chart options, looked up by command ID: each
// chooses a style or a period, or turns a flag on or off. Their texts and check marks are in the
// program's command table (platform/Commands.h). Also the status-bar text for the records a chart
// leaves out.

#include "chart/BarBuilder.h"
#include "chart/ChartOptions.h"
#include "platform/Commands.h"

#include <string>
#include <variant>

class CBars;
class Settings;

// A chosen style or period, or a flag of the options that the command toggles.
using ChartAction = std::variant<ChartStyle, ChartPeriod, bool ChartOptions::*>;

struct ChartCommand {
    int nId;
    ChartAction action;
};

constexpr ChartCommand kChartCommands[] = {
    {ID_CHART_STYLE_BARS, ChartStyle::Bars},
    {ID_CHART_STYLE_OHLC, ChartStyle::Ohlc},
    {ID_CHART_STYLE_CANDLES, ChartStyle::Candles},
    {ID_CHART_STYLE_LINE, ChartStyle::Line},
    {ID_CHART_LOG_SCALE, &ChartOptions::bLogScale},
    {ID_CHART_GRID, &ChartOptions::bGrid},
    {ID_CHART_PERIOD_STORED, ChartPeriod::Stored},
    {ID_CHART_PERIOD_DAILY, ChartPeriod::Daily},
    {ID_CHART_PERIOD_WEEKLY, ChartPeriod::Weekly},
    {ID_CHART_PERIOD_MONTHLY, ChartPeriod::Monthly},
    {ID_CHART_AXIS_LABELS, &ChartOptions::bAxisLabels},
    {ID_CHART_COLOR_BY_DIRECTION, &ChartOptions::bColorByDirection},
};

// The command's entry, nullptr for an ID that is not one of them.
const ChartCommand* FindChartCommand(int id);
// Applies the command to `options`: a style or a period is chosen, the scale or the grid toggled.
// False for an ID that is not one of them.
bool ApplyChartCommand(int id, ChartOptions& options);
// Whether the command's menu item is checked for `options`.
bool IsChartCommandChecked(int id, const ChartOptions& options);

// The handler of every Chart command: applies it to the chart object's options and stores them in
// section "Chart". True when the options changed, so that the view draws the chart again and
// updates its scroll bar (the bars may have been built anew).
bool RunChartCommand(int id, CBars& bars, Settings& settings);

// "12 bad records hidden", "3 records of 0 or below left out of the log scale", both joined by
// ", ", or an empty text when nothing is left out.
std::string LeftOutText(const LeftOutCounts& counts);
