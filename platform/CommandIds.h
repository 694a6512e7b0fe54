#pragma once
// The numeric IDs of the program's commands. Menus, accelerators, the toolbar and the prompts of
// the status bar all name a command by its ID, and commands are routed by it.

constexpr int ID_SELECT_NEXT = 32768;
constexpr int ID_SELECT_PREVIOUS = 32769;
constexpr int ID_VIEW_OPTIONS = 32771;
constexpr int ID_SELECT_GOTO = 32772;
constexpr int ID_VIEW_SLIDESHOW = 32773;
constexpr int ID_FILE_EXPORT_CHART = 32774;
constexpr int ID_FILE_EXPORT_QUOTES = 32775;

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
constexpr int ID_FILE_MRU_FILE4 = 57619;

constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;

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

// Status-bar panes after the message pane: the position text and the position indicator.
constexpr int ID_INDICATOR_SYMBOL = 1;
constexpr int ID_INDICATOR_POSITION = 3;
