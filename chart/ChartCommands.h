#pragma once
// The "&Chart" menu of the desktop program: its commands with their menu texts and status-bar
// prompts ("prompt\ntooltip", as the other commands have them), what each does to the chart
// options, and the status-bar text for the records a chart leaves out. The desktop view takes
// these as they are, so that it only wires them.
//
//   &Chart   &High-Low Bars | &OHLC Bars | &Candlesticks | Close &Line      (one of them checked)
//            ---------------------------------------------------------
//            Logarithmic &Scale | &Grid                                    (each checked or not)
//            ---------------------------------------------------------
//            &As Stored | &Daily | &Weekly | &Monthly                      (one of them checked)

#include "chart/BarBuilder.h"
#include "chart/ChartOptions.h"

#include <string>

class CBars;
class Settings;

constexpr int ID_CHART_STYLE_BARS = 32790;
constexpr int ID_CHART_STYLE_OHLC = 32791;
constexpr int ID_CHART_STYLE_CANDLES = 32792;
constexpr int ID_CHART_STYLE_LINE = 32793;
constexpr int ID_CHART_LOG_SCALE = 32794;
constexpr int ID_CHART_GRID = 32795;
constexpr int ID_CHART_PERIOD_STORED = 32796;
constexpr int ID_CHART_PERIOD_DAILY = 32797;
constexpr int ID_CHART_PERIOD_WEEKLY = 32798;
constexpr int ID_CHART_PERIOD_MONTHLY = 32799;

constexpr char kChartMenuText[] = "&Chart";

struct ChartCommand {
    int nId;
    const char* pszMenuText;
    const char* pszPrompt;
    bool bSeparatorBefore; // a separator stands above the item
    bool bRadio;           // one of a group (style, period); else a check item
};

constexpr ChartCommand kChartCommands[] = {
    {ID_CHART_STYLE_BARS, "&High-Low Bars",
     "Draw each bar from its low to its high with a tick at the close\nHigh-Low Bars", false, true},
    {ID_CHART_STYLE_OHLC, "&OHLC Bars",
     "Draw each bar with a tick at the open on the left and at the close on the right\nOHLC Bars",
     false, true},
    {ID_CHART_STYLE_CANDLES, "&Candlesticks",
     "Draw each bar as a candlestick, filled when the close is below the open\nCandlesticks", false,
     true},
    {ID_CHART_STYLE_LINE, "Close &Line", "Draw a line through the closes\nClose Line", false, true},
    {ID_CHART_LOG_SCALE, "Logarithmic &Scale",
     "Place prices on a logarithmic scale, so that equal changes in percent look equal\n"
     "Logarithmic Scale",
     true, false},
    {ID_CHART_GRID, "&Grid", "Show or hide the price and date grid\nGrid", false, false},
    {ID_CHART_PERIOD_STORED, "&As Stored", "Draw one bar for each stored record\nAs Stored", true,
     true},
    {ID_CHART_PERIOD_DAILY, "&Daily", "Draw one bar for each day of the records\nDaily", false,
     true},
    {ID_CHART_PERIOD_WEEKLY, "&Weekly", "Draw one bar for each week of the records\nWeekly", false,
     true},
    {ID_CHART_PERIOD_MONTHLY, "&Monthly", "Draw one bar for each month of the records\nMonthly",
     false, true},
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
