#include "app/MenuLayout.h"

#include "platform/Commands.h"

namespace {

// One item a line, as the menus read from the top and the toolbar from the left.
// clang-format off
constexpr int kFileMenu[] = {
    ID_FILE_OPEN,
    kSeparator,
    ID_FILE_PRINT,
    ID_FILE_PRINT_PREVIEW,
    ID_FILE_PRINT_SETUP,
    kSeparator,
    ID_FILE_EXPORT_CHART,
    ID_FILE_EXPORT_QUOTES,
    ID_FILE_CHECK_FOLDER,
    kSeparator,
    ID_FILE_MRU_FILE1,
    ID_FILE_MRU_FILE2,
    ID_FILE_MRU_FILE3,
    ID_FILE_MRU_FILE4,
    kSeparator,
    ID_APP_EXIT,
};
constexpr int kViewMenu[] = {
    ID_VIEW_OPTIONS,
    ID_VIEW_SLIDESHOW,
    kSeparator,
    kRangeMenu,
    kThemeMenu,
    kSeparator,
    ID_VIEW_SECURITIES,
    ID_VIEW_TOOLBAR,
    ID_VIEW_STATUS_BAR,
};
constexpr int kChartMenu[] = {
    ID_CHART_STYLE_BARS,
    ID_CHART_STYLE_OHLC,
    ID_CHART_STYLE_CANDLES,
    ID_CHART_STYLE_LINE,
    kSeparator,
    ID_CHART_LOG_SCALE,
    ID_CHART_GRID,
    ID_CHART_AXIS_LABELS,
    kSeparator,
    ID_CHART_COLOR_BY_DIRECTION,
    ID_CHART_DIRECTION_COLORS,
    kSeparator,
    ID_CHART_PERIOD_STORED,
    ID_CHART_PERIOD_DAILY,
    ID_CHART_PERIOD_WEEKLY,
    ID_CHART_PERIOD_MONTHLY,
    kSeparator,
    ID_CHART_STUDIES,
};
constexpr int kDrawMenu[] = {
    ID_DRAW_TRENDLINE,
    ID_DRAW_HLINE,
    ID_DRAW_VLINE,
    ID_DRAW_RECTANGLE,
    ID_DRAW_FIBONACCI,
    ID_DRAW_NOTE,
    kSeparator,
    ID_EDIT_UNDO,
    ID_EDIT_REDO,
    kSeparator,
    ID_DRAW_DELETE,
    ID_DRAW_DELETE_ALL,
};
constexpr int kSelectMenu[] = {
    ID_SELECT_NEXT,
    ID_SELECT_PREVIOUS,
    ID_SELECT_GOTO,
};
constexpr int kHelpMenu[] = {
    ID_HELP_FINDER,
    kSeparator,
    ID_APP_ABOUT,
};

constexpr int kRangeItems[] = {
    ID_VIEW_RANGE_1M,
    ID_VIEW_RANGE_3M,
    ID_VIEW_RANGE_6M,
    ID_VIEW_RANGE_1Y,
    ID_VIEW_RANGE_5Y,
    ID_VIEW_RANGE_ALL,
};

constexpr int kThemeItems[] = {
    ID_VIEW_THEME_CLASSIC,
    ID_VIEW_THEME_LIGHT,
    ID_VIEW_THEME_DARK,
};

constexpr SubmenuInfo kSubmenus[] = {
    {kRangeMenu, "&Range", kRangeItems},
    {kThemeMenu, "T&heme", kThemeItems},
};

constexpr MenuInfo kMenus[] = {
    {"&File", kFileMenu},
    {"&View", kViewMenu},
    {"&Chart", kChartMenu},
    {"&Draw", kDrawMenu},
    {"&Select", kSelectMenu},
    {"&Help", kHelpMenu},
};

constexpr int kToolbar[] = {
    ID_FILE_OPEN,
    kSeparator,
    ID_VIEW_OPTIONS,
    ID_VIEW_SLIDESHOW,
    kSeparator,
    ID_SELECT_PREVIOUS,
    ID_SELECT_NEXT,
    kSeparator,
    ID_DRAW_TRENDLINE,
    ID_DRAW_HLINE,
    ID_DRAW_VLINE,
    ID_DRAW_RECTANGLE,
    ID_DRAW_FIBONACCI,
    ID_DRAW_NOTE,
    kSeparator,
    ID_FILE_PRINT_PREVIEW,
    ID_APP_ABOUT,
};
// clang-format on

} // namespace

std::span<const MenuInfo> MainMenus() {
    return kMenus;
}

std::span<const int> ToolbarButtons() {
    return kToolbar;
}

const SubmenuInfo* FindSubmenu(int id) {
    for (const SubmenuInfo& submenu : kSubmenus)
        if (submenu.id == id)
            return &submenu;
    return nullptr;
}
