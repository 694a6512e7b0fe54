#pragma once
// The themes of View > Theme: each a set of the ten item colours (as palette indexes, in the
// order of ColorItems.h) and the colours of rising and falling bars. A theme is not stored as
// such: choosing one stores its colours ("Colors" in "ViewOptions", "UpColor" and "DownColor" in
// "Chart"), so that View Options shows and edits them as ever, and the menu marks the theme
// whose colours the chart has, if any.
//
//   Classic  the colours the chart always had: light on black
//   Light    dark on white, for daylight and paper
//   Dark     white bars with yellow closes on black, softer than the classic cyan and green

#include "chart/ColorItems.h"

#include <optional>
#include <string_view>

class CBars;
class Settings;

enum class ChartTheme { Classic, Light, Dark };

struct ThemeColors {
    int items[kColorItemCount];
    int nUp, nDown;
};

const ThemeColors& ColorsOfTheme(ChartTheme theme);
// The theme whose colours the chart object has now, if any.
std::optional<ChartTheme> CurrentTheme(const CBars& bars);
// Gives the chart object the theme's colours.
void ApplyTheme(CBars& bars, ChartTheme theme);
// ApplyTheme, and the colours stored; false when the store refused one.
bool ChooseTheme(CBars& bars, Settings& settings, ChartTheme theme);

// The names the command line takes: classic, light, dark.
bool ParseChartTheme(std::string_view name, ChartTheme& theme);
// The theme of a View > Theme command, if it is one.
std::optional<ChartTheme> ThemeOfCommand(int id);
