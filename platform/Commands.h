#pragma once
// Every command of the program: its numeric ID and, in one table beside it, its menu text, the
// prompt and tooltip of the status bar, its keys, its toolbar picture and how its menu item shows
// a state. Menus, accelerators, the toolbar and the status bar all name a command by its ID, and
// commands are routed by it. A new command is an ID here and a row of the table, plus its
// handler where it is carried out.

#include <span>
#include <string_view>

constexpr int ID_SELECT_NEXT = 32768;
constexpr int ID_SELECT_PREVIOUS = 32769;
constexpr int ID_VIEW_OPTIONS = 32771;
constexpr int ID_SELECT_GOTO = 32772;
constexpr int ID_VIEW_SLIDESHOW = 32773;
constexpr int ID_FILE_EXPORT_CHART = 32774;
constexpr int ID_FILE_EXPORT_QUOTES = 32775;
constexpr int ID_FILE_CHECK_FOLDER = 32776;
constexpr int ID_VIEW_SECURITIES = 32777;

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
constexpr int ID_CHART_STUDIES = 32800;
constexpr int ID_CHART_AXIS_LABELS = 32801;
constexpr int ID_CHART_COLOR_BY_DIRECTION = 32802;
constexpr int ID_CHART_DIRECTION_COLORS = 32803;

constexpr int ID_VIEW_RANGE_1M = 32810;
constexpr int ID_VIEW_RANGE_3M = 32811;
constexpr int ID_VIEW_RANGE_6M = 32812;
constexpr int ID_VIEW_RANGE_1Y = 32813;
constexpr int ID_VIEW_RANGE_5Y = 32814;
constexpr int ID_VIEW_RANGE_ALL = 32815;
constexpr int ID_VIEW_THEME_CLASSIC = 32816;
constexpr int ID_VIEW_THEME_LIGHT = 32817;
constexpr int ID_VIEW_THEME_DARK = 32818;

constexpr int ID_DRAW_TRENDLINE = 32820;
constexpr int ID_DRAW_HLINE = 32821;
constexpr int ID_DRAW_VLINE = 32822;
constexpr int ID_DRAW_RECTANGLE = 32823;
constexpr int ID_DRAW_FIBONACCI = 32824;
constexpr int ID_DRAW_NOTE = 32825;
constexpr int ID_DRAW_DELETE = 32826;
constexpr int ID_DRAW_DELETE_ALL = 32827;

constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PAGE_SETUP = 57605;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FILE2 = 57617;
constexpr int ID_FILE_MRU_FILE3 = 57618;
constexpr int ID_FILE_MRU_FILE4 = 57619;

constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;

constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP_INDEX = 57666;
constexpr int ID_HELP_FINDER = 57667;
constexpr int ID_HELP_USING = 57668;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_DEFAULT_HELP = 57671;

constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;

constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// The entries of the recent-file list, newest first.
constexpr int kRecentFileIds[] = {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3,
                                  ID_FILE_MRU_FILE4};

// How a command's menu item shows a state.
enum class CommandCheck {
    None,
    // A check mark, set or cleared on its own.
    Check,
    // A mark on the one item of its group that is chosen; choosing another moves it there.
    Radio,
};

// The groups of radio items.
enum class CommandGroup { None, ChartStyle, ChartPeriod, ViewTheme, DrawTool };

struct CommandInfo {
    int id;
    // The menu text, with its '&' mnemonic and, after a tab, the key shown at the right; for
    // commands without a menu item a plain name.
    const char* text;
    // The prompt of the status bar, then, after a line break, the tooltip.
    const char* prompt;
    // Keys in QKeySequence's portable form, separated by ';'.
    const char* keys = "";
    // The name of the toolbar picture, or null for a command without a button.
    const char* icon = nullptr;
    CommandCheck check = CommandCheck::None;
    // The group of a radio item; None for every other command.
    CommandGroup group = CommandGroup::None;
};

// Every command that has a text, a key or a button.
std::span<const CommandInfo> Commands();
// The command's row, nullptr for an ID that is not in the table.
const CommandInfo* FindCommand(int id);

// The prompt part and the tooltip part of a command's string; empty when there is none.
std::string_view PromptOf(const CommandInfo& command);
std::string_view TooltipOf(const CommandInfo& command);
