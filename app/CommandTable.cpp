#include "app/CommandTable.h"

#include "chart/ChartCommands.h"
#include "platform/CommandIds.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr CommandInfo kProgramCommands[] = {
    {ID_SELECT_NEXT, "&Next\t->", "Go to next chart\nGo to next chart", "Right",
     ":/icons/next.svg"},
    {ID_SELECT_PREVIOUS, "&Previous\t<-", "Go to previous chart\nGo to previous chart", "Left",
     ":/icons/previous.svg"},
    {ID_VIEW_OPTIONS, "&Options...\tF2", "Viewing Options\nViewing Options", "F2",
     ":/icons/options.svg"},
    // A backslash, not a line break: the whole text is the prompt.
    {ID_SELECT_GOTO, "&Go To...\tF3", "Go To Specific Chart\\Go To", "F3", nullptr},
    {ID_VIEW_SLIDESHOW, "S&lide Show...\tF7", "Start a Slide Show\nSlide Show", "F7",
     ":/icons/slideshow.svg"},
    {ID_FILE_NEW, "&New", "Create a new document", "Ctrl+N", nullptr},
    {ID_FILE_OPEN, "&Open a MASTER file...\tCtrl+O",
     "Open a Metastock format MASTER file\nOpen a MASTER file", "Ctrl+O", ":/icons/open.svg"},
    {ID_FILE_CLOSE, "&Close", "Close the active document\nClose file", "", nullptr},
    {ID_FILE_SAVE, "&Save", "Save the active document", "Ctrl+S", nullptr},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name", "", nullptr},
    {ID_FILE_PAGE_SETUP, "Page Set&up...", "Change the printing options", "", nullptr},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options", "",
     nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document", "Ctrl+P", nullptr},
    {ID_FILE_PRINT_DIRECT, "Print", "", "", nullptr},
    {ID_FILE_EXPORT_CHART, "&Export Chart...",
     "Save the chart as a PNG, SVG or PDF file\nExport Chart", "", nullptr},
    {ID_FILE_EXPORT_QUOTES, "Export &Quotes...",
     "Save every quote of this security as a CSV file\nExport Quotes", "", nullptr},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", "",
     ":/icons/preview.svg"},
    {ID_FILE_MRU_FILE1, "Recent File", "Open this document", "", nullptr},
    {ID_FILE_MRU_FILE1 + 1, "", "Open this document", "", nullptr},
    {ID_FILE_MRU_FILE1 + 2, "", "Open this document", "", nullptr},
    {ID_FILE_MRU_FILE4, "", "Open this document", "", nullptr},
    {ID_EDIT_COPY, "&Copy", "", "Ctrl+C;Ctrl+Ins", nullptr},
    {ID_EDIT_CUT, "Cu&t", "", "Ctrl+X;Shift+Del", nullptr},
    {ID_EDIT_PASTE, "&Paste", "", "Ctrl+V;Shift+Ins", nullptr},
    {ID_EDIT_UNDO, "&Undo", "", "Ctrl+Z;Alt+Backspace", nullptr},
    {ID_APP_ABOUT, "&About Tickvane...", "About Tickvane\nAbout Tickvane", "", ":/icons/about.svg"},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents", "", nullptr},
    {ID_HELP_INDEX, "Help &Index", "List Help topics", "", nullptr},
    {ID_HELP_FINDER, "&Help Topics", "Help\nHelp", "", nullptr},
    {ID_HELP_USING, "&Using Help", "Display instructions about how to use help", "", nullptr},
    {ID_CONTEXT_HELP, "&What's This?", "Display help for clicked on buttons, menus and windows",
     "Shift+F1", nullptr},
    {ID_HELP, "&Help", "List Help topics", "F1", nullptr},
    {ID_DEFAULT_HELP, "Help", "", "", nullptr},
    {ID_NEXT_PANE, "Ne&xt Pane", "Switch to the next window pane", "F6", nullptr},
    {ID_PREV_PANE, "Pre&vious Pane", "Switch back to the previous window pane", "Shift+F6",
     nullptr},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "", nullptr},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "", nullptr},
};

// The program's commands, then those of the Chart menu as the chart layer words them.
constexpr auto kCommands = [] {
    std::array<CommandInfo, std::size(kProgramCommands) + std::size(kChartCommands)> all{};
    auto next = std::copy(std::begin(kProgramCommands), std::end(kProgramCommands), all.begin());
    for (const ChartCommand& command : kChartCommands)
        *next++ = CommandInfo{command.nId, command.pszMenuText, command.pszPrompt, "", nullptr};
    return all;
}();

constexpr MenuItem kFileMenu[] = {
    {ID_FILE_OPEN},
    {0},
    {ID_FILE_PRINT},
    {ID_FILE_PRINT_PREVIEW},
    {ID_FILE_PRINT_SETUP},
    {0},
    {ID_FILE_EXPORT_CHART},
    {ID_FILE_EXPORT_QUOTES},
    {0},
    {ID_FILE_MRU_FILE1},
    {ID_FILE_MRU_FILE1 + 1},
    {ID_FILE_MRU_FILE1 + 2},
    {ID_FILE_MRU_FILE4},
    {0},
    {ID_APP_EXIT},
};
constexpr MenuItem kViewMenu[] = {
    {ID_VIEW_OPTIONS}, {ID_VIEW_SLIDESHOW}, {0}, {ID_VIEW_TOOLBAR}, {ID_VIEW_STATUS_BAR},
};
constexpr auto kChartMenu = [] {
    constexpr auto separators =
        std::count_if(std::begin(kChartCommands), std::end(kChartCommands),
                      [](const ChartCommand& c) { return c.bSeparatorBefore; });
    std::array<MenuItem, std::size(kChartCommands) + separators> items{};
    auto next = items.begin();
    for (const ChartCommand& command : kChartCommands) {
        if (command.bSeparatorBefore)
            *next++ = MenuItem{0};
        *next++ = MenuItem{command.nId};
    }
    return items;
}();
constexpr MenuItem kSelectMenu[] = {{ID_SELECT_NEXT}, {ID_SELECT_PREVIOUS}, {ID_SELECT_GOTO}};
constexpr MenuItem kHelpMenu[] = {{ID_HELP_FINDER}, {0}, {ID_APP_ABOUT}};

constexpr MenuInfo kMenus[] = {
    {"&File", kFileMenu},     {"&View", kViewMenu}, {kChartMenuText, kChartMenu},
    {"&Select", kSelectMenu}, {"&Help", kHelpMenu},
};

constexpr int kToolbar[] = {
    ID_FILE_OPEN,   0, ID_VIEW_OPTIONS,       ID_VIEW_SLIDESHOW, 0, ID_SELECT_PREVIOUS,
    ID_SELECT_NEXT, 0, ID_FILE_PRINT_PREVIEW, ID_APP_ABOUT,
};

} // namespace

std::span<const CommandInfo> Commands() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& command) { return command.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

CommandCheck CheckOf(int id) {
    if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR)
        return {true, 0};
    // Radio items next to each other in the Chart menu form one group.
    int group = 0;
    bool inGroup = false;
    for (const ChartCommand& command : kChartCommands) {
        if (!command.bRadio || command.bSeparatorBefore)
            inGroup = false;
        if (command.bRadio && !inGroup) {
            ++group;
            inGroup = true;
        }
        if (command.nId == id)
            return {true, command.bRadio ? group : 0};
    }
    return {};
}

std::span<const MenuInfo> MainMenus() {
    return kMenus;
}

std::span<const int> ToolbarButtons() {
    return kToolbar;
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
