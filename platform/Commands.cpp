#include "platform/Commands.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr CommandInfo kCommands[] = {
    {ID_SELECT_NEXT, "&Next\t->", "Go to next chart\nGo to next chart", "Right", "next"},
    {ID_SELECT_PREVIOUS, "&Previous\t<-", "Go to previous chart\nGo to previous chart", "Left",
     "previous"},
    {ID_VIEW_OPTIONS, "&Options...\tF2", "Viewing Options\nViewing Options", "F2", "options"},
    // A backslash, not a line break: the whole text is the prompt.
    {ID_SELECT_GOTO, "&Go To...\tF3", "Go To Specific Chart\\Go To", "F3"},
    {ID_VIEW_SLIDESHOW, "S&lide Show...\tF7", "Start a Slide Show\nSlide Show", "F7", "slideshow"},
    {ID_FILE_NEW, "&New", "Create a new document", "Ctrl+N"},
    {ID_FILE_OPEN, "&Open a MASTER file...\tCtrl+O",
     "Open a Metastock format MASTER file\nOpen a MASTER file", "Ctrl+O", "open"},
    {ID_FILE_CLOSE, "&Close", "Close the active document\nClose file"},
    {ID_FILE_SAVE, "&Save", "Save the active document", "Ctrl+S"},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name"},
    {ID_FILE_PAGE_SETUP, "Page Set&up...", "Change the printing options"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options"},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document", "Ctrl+P"},
    {ID_FILE_PRINT_DIRECT, "Print", ""},
    {ID_FILE_EXPORT_CHART, "&Export Chart...",
     "Save the chart as a PNG, SVG or PDF file\nExport Chart"},
    {ID_FILE_EXPORT_QUOTES, "Export &Quotes...",
     "Save every quote of this security as a CSV file\nExport Quotes"},
    {ID_FILE_CHECK_FOLDER, "C&heck Folder...",
     "List what is wrong with the files and records of this quote folder\nCheck Folder"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", "", "preview"},
    // The recent files' texts are set as the list changes; an empty list shows the first entry.
    {ID_FILE_MRU_FILE1, "Recent File", "Open this document"},
    {ID_FILE_MRU_FILE2, "", "Open this document"},
    {ID_FILE_MRU_FILE3, "", "Open this document"},
    {ID_FILE_MRU_FILE4, "", "Open this document"},
    {ID_EDIT_COPY, "&Copy", "", "Ctrl+C;Ctrl+Ins"},
    {ID_EDIT_CUT, "Cu&t", "", "Ctrl+X;Shift+Del"},
    {ID_EDIT_PASTE, "&Paste", "", "Ctrl+V;Shift+Ins"},
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last change to the drawings\nUndo",
     "Ctrl+Z;Alt+Backspace"},
    {ID_EDIT_REDO, "R&edo\tCtrl+Y", "Redo the change to the drawings just undone\nRedo",
     "Ctrl+Y;Ctrl+Shift+Z"},
    {ID_DRAW_TRENDLINE, "&Trend Line\tT",
     "Draw a line through two points: click at each end\nTrend Line", "T", "trendline",
     CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_HLINE, "&Horizontal Level\tH",
     "Draw a level across the chart, its price at the axis: click at its price\nHorizontal Level",
     "H", "hline", CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_VLINE, "&Vertical Line\tV",
     "Draw a line down through a bar: click on the bar\nVertical Line", "V", "vline",
     CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_RECTANGLE, "&Rectangle\tR",
     "Draw a rectangle: click at two opposite corners\nRectangle", "R", "rectangle",
     CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_FIBONACCI, "&Fibonacci Retracement\tF",
     "Draw the retracement levels of a move: click at its start and its end\nFibonacci "
     "Retracement",
     "F", "fibonacci", CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_NOTE, "&Note...\tN", "Write a note on the chart: click where it goes\nNote", "N",
     "note", CommandCheck::Radio, CommandGroup::DrawTool},
    {ID_DRAW_DELETE, "&Delete Drawing\tDel", "Delete the drawing selected\nDelete Drawing", "Del"},
    {ID_DRAW_DELETE_ALL, "Delete &All Drawings",
     "Delete every drawing on this security's chart\nDelete All Drawings"},
    {ID_APP_ABOUT, "&About Tickvane...", "About Tickvane\nAbout Tickvane", "", "about"},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents"},
    {ID_HELP_INDEX, "Help &Index", "List Help topics"},
    {ID_HELP_FINDER, "&Help Topics", "Help\nHelp"},
    {ID_HELP_USING, "&Using Help", "Display instructions about how to use help"},
    {ID_CONTEXT_HELP, "&What's This?", "Display help for clicked on buttons, menus and windows",
     "Shift+F1"},
    {ID_HELP, "&Help", "List Help topics", "F1"},
    {ID_DEFAULT_HELP, "Help", ""},
    {ID_NEXT_PANE, "Ne&xt Pane", "Switch to the next window pane", "F6"},
    {ID_PREV_PANE, "Pre&vious Pane", "Switch back to the previous window pane", "Shift+F6"},
    {ID_VIEW_SECURITIES, "S&ecurities",
     "Show or hide the table of every security of the folder\nSecurities", "", nullptr,
     CommandCheck::Check},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "", nullptr, CommandCheck::Check},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "", nullptr,
     CommandCheck::Check},

    {ID_CHART_STYLE_BARS, "&High-Low Bars",
     "Draw each bar from its low to its high with a tick at the close\nHigh-Low Bars", "", nullptr,
     CommandCheck::Radio, CommandGroup::ChartStyle},
    {ID_CHART_STYLE_OHLC, "&OHLC Bars",
     "Draw each bar with a tick at the open on the left and at the close on the right\nOHLC Bars",
     "", nullptr, CommandCheck::Radio, CommandGroup::ChartStyle},
    {ID_CHART_STYLE_CANDLES, "&Candlesticks",
     "Draw each bar as a candlestick, filled when the close is below the open\nCandlesticks", "",
     nullptr, CommandCheck::Radio, CommandGroup::ChartStyle},
    {ID_CHART_STYLE_LINE, "Close &Line", "Draw a line through the closes\nClose Line", "", nullptr,
     CommandCheck::Radio, CommandGroup::ChartStyle},
    {ID_CHART_LOG_SCALE, "Logarithmic &Scale",
     "Place prices on a logarithmic scale, so that equal changes in percent look equal\n"
     "Logarithmic Scale",
     "", nullptr, CommandCheck::Check},
    {ID_CHART_GRID, "&Grid", "Show or hide the price and date grid\nGrid", "", nullptr,
     CommandCheck::Check},
    {ID_CHART_PERIOD_STORED, "&As Stored", "Draw one bar for each stored record\nAs Stored", "",
     nullptr, CommandCheck::Radio, CommandGroup::ChartPeriod},
    {ID_CHART_PERIOD_DAILY, "&Daily", "Draw one bar for each day of the records\nDaily", "",
     nullptr, CommandCheck::Radio, CommandGroup::ChartPeriod},
    {ID_CHART_PERIOD_WEEKLY, "&Weekly", "Draw one bar for each week of the records\nWeekly", "",
     nullptr, CommandCheck::Radio, CommandGroup::ChartPeriod},
    {ID_CHART_PERIOD_MONTHLY, "&Monthly", "Draw one bar for each month of the records\nMonthly", "",
     nullptr, CommandCheck::Radio, CommandGroup::ChartPeriod},
    {ID_VIEW_RANGE_1M, "1 &Month\tCtrl+1",
     "Show the last month up to the bar at the right edge\n1 Month", "Ctrl+1"},
    {ID_VIEW_RANGE_3M, "&3 Months\tCtrl+2",
     "Show the last three months up to the bar at the right edge\n3 Months", "Ctrl+2"},
    {ID_VIEW_RANGE_6M, "&6 Months\tCtrl+3",
     "Show the last six months up to the bar at the right edge\n6 Months", "Ctrl+3"},
    {ID_VIEW_RANGE_1Y, "1 &Year\tCtrl+4",
     "Show the last year up to the bar at the right edge\n1 Year", "Ctrl+4"},
    {ID_VIEW_RANGE_5Y, "&5 Years\tCtrl+5",
     "Show the last five years up to the bar at the right edge\n5 Years", "Ctrl+5"},
    {ID_VIEW_RANGE_ALL, "&All\tCtrl+6", "Show the whole history in the window\nAll", "Ctrl+6"},
    {ID_VIEW_THEME_CLASSIC, "&Classic",
     "Draw the chart in its classic colours, light on black\nClassic", "", nullptr,
     CommandCheck::Radio, CommandGroup::ViewTheme},
    {ID_VIEW_THEME_LIGHT, "&Light", "Draw the chart dark on white\nLight", "", nullptr,
     CommandCheck::Radio, CommandGroup::ViewTheme},
    {ID_VIEW_THEME_DARK, "&Dark", "Draw the chart in soft colours on black\nDark", "", nullptr,
     CommandCheck::Radio, CommandGroup::ViewTheme},
    {ID_CHART_AXIS_LABELS, "A&xis Labels",
     "Show dates under the chart and prices at round steps beside it\nAxis Labels", "", nullptr,
     CommandCheck::Check},
    {ID_CHART_COLOR_BY_DIRECTION, "Colour &by Direction",
     "Draw bars that closed up and bars that closed down in colours of their own\n"
     "Colour by Direction",
     "", nullptr, CommandCheck::Check},
    {ID_CHART_DIRECTION_COLORS, "Direction Colo&urs...",
     "Choose the colours of rising and falling bars\nDirection Colours"},
    {ID_CHART_STUDIES, "S&tudies...",
     "Add, remove and set the studies drawn over the prices and in panes below them\nStudies"},
};

// A command is routed, found and given its action by its ID alone.
constexpr bool IdsAreUnique() {
    for (auto a = std::begin(kCommands); a != std::end(kCommands); ++a)
        for (auto b = std::next(a); b != std::end(kCommands); ++b)
            if (a->id == b->id)
                return false;
    return true;
}
static_assert(IdsAreUnique(), "two commands share an ID");

// A radio item without a group would be exclusive with nothing; a group on any other item would
// be ignored.
constexpr bool GroupsAreRadio() {
    return std::all_of(std::begin(kCommands), std::end(kCommands), [](const CommandInfo& c) {
        return (c.check == CommandCheck::Radio) == (c.group != CommandGroup::None);
    });
}
static_assert(GroupsAreRadio(), "a radio item without a group, or a group on another item");

} // namespace

std::span<const CommandInfo> Commands() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& command) { return command.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::string_view PromptOf(const CommandInfo& command) {
    const std::string_view text = command.prompt;
    return text.substr(0, text.find('\n'));
}

std::string_view TooltipOf(const CommandInfo& command) {
    const std::string_view text = command.prompt;
    const std::size_t cut = text.find('\n');
    return cut == std::string_view::npos ? std::string_view{} : text.substr(cut + 1);
}
