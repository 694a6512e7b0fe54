#pragma once
// The program's command vocabulary: menus, toolbar, accelerators and the prompts of the status
// bar, each naming its command by ID.

#include <span>
#include <string_view>

struct CommandInfo {
    int id;
    // The menu text, with its '&' mnemonic and, after a tab, the key shown at the right; for
    // commands without a menu item a plain name.
    const char* text;
    // The prompt of the status bar, then, after a line break, the tooltip.
    const char* prompt;
    // Keys in QKeySequence's portable form, separated by ';'.
    const char* keys;
    // The toolbar picture in the resources, or null.
    const char* icon;
};

// A menu item; ID 0 is a separator.
struct MenuItem {
    int id;
};

struct MenuInfo {
    const char* title;
    std::span<const MenuItem> items;
};

// Every command that has a text, a key or a button.
std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int id);

// How a command's menu item shows a state: not at all, with a check mark, or as one of a group of
// radio items (groups numbered from 1) of which one is checked.
struct CommandCheck {
    bool bCheckable = false;
    int nRadioGroup = 0;
};
CommandCheck CheckOf(int id);

std::span<const MenuInfo> MainMenus();
// The toolbar from left to right; ID 0 is a gap.
std::span<const int> ToolbarButtons();

// The prompt part and the tooltip part of a command's string; empty when there is none.
std::string_view PromptOf(const CommandInfo& command);
std::string_view TooltipOf(const CommandInfo& command);

// Texts of the status bar's message pane.
constexpr char kIdlePrompt[] = "For Help, press F1";
constexpr char kHelpModePrompt[] = "Select an object on which to get Help";
