#include "chart/ChartThemes.h"

#include "chart/Bars.h"
#include "chart/ChartOptions.h"
#include "chart/ViewOptions.h"
#include "platform/Commands.h"
#include "platform/Settings.h"

#include <algorithm>
#include <string>

namespace {

// Palette indexes: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 yellow, 7 white. Items:
// background, axes, high-low bar, close tick, normal text, title text, close tick text, moving
// average 1 and 2, volume.
constexpr ThemeColors kThemes[] = {
    {{0, 7, 2, 3, 7, 3, 3, 4, 1, 4}, kDefaultUpColor, kDefaultDownColor},
    {{7, 0, 1, 0, 0, 1, 4, 4, 5, 1}, 2, 4},
    {{0, 7, 7, 6, 7, 6, 6, 3, 5, 1}, 2, 4},
};
constexpr std::string_view kThemeNames[] = {"classic", "light", "dark"};
constexpr int kThemeCommands[] = {ID_VIEW_THEME_CLASSIC, ID_VIEW_THEME_LIGHT, ID_VIEW_THEME_DARK};

} // namespace

const ThemeColors& ColorsOfTheme(ChartTheme theme) {
    return kThemes[static_cast<int>(theme)];
}

std::optional<ChartTheme> CurrentTheme(const CBars& bars) {
    const ChartOptions& options = bars.GetChartOptions();
    for (int k = 0; k < static_cast<int>(std::size(kThemes)); ++k) {
        const ThemeColors& theme = kThemes[k];
        bool same = theme.nUp == options.nUpColor && theme.nDown == options.nDownColor;
        for (int item = 0; item < kColorItemCount && same; ++item)
            same = bars.GetWorkColor(item) == theme.items[item];
        if (same)
            return static_cast<ChartTheme>(k);
    }
    return std::nullopt;
}

void ApplyTheme(CBars& bars, ChartTheme theme) {
    const ThemeColors& colors = ColorsOfTheme(theme);
    for (int item = 0; item < kColorItemCount; ++item)
        bars.SetWorkColor(item, colors.items[item]);
    bars.CommitColors();
    ChartOptions options = bars.GetChartOptions();
    options.nUpColor = colors.nUp;
    options.nDownColor = colors.nDown;
    bars.SetChartOptions(options);
}

bool ChooseTheme(CBars& bars, Settings& settings, ChartTheme theme) {
    ApplyTheme(bars, theme);
    std::string text;
    for (const int index : ColorsOfTheme(theme).items)
        text += static_cast<char>('0' + index);
    const bool stored = settings.WriteString(kViewOptionsSection, "Colors", text);
    return StoreChartOptions(settings, bars.GetChartOptions()) && stored;
}

bool ParseChartTheme(std::string_view name, ChartTheme& theme) {
    const auto found = std::find(std::begin(kThemeNames), std::end(kThemeNames), name);
    if (found == std::end(kThemeNames))
        return false;
    theme = static_cast<ChartTheme>(found - std::begin(kThemeNames));
    return true;
}

std::optional<ChartTheme> ThemeOfCommand(int id) {
    const auto found = std::find(std::begin(kThemeCommands), std::end(kThemeCommands), id);
    if (found == std::end(kThemeCommands))
        return std::nullopt;
    return static_cast<ChartTheme>(found - std::begin(kThemeCommands));
}
