#pragma once
// Where the commands of the command table (platform/Commands.h) stand: the menus of the menu bar
// and the buttons of the toolbar, from first to last.

#include <span>

// A separator in a menu, a gap on the toolbar.
constexpr int kSeparator = 0;
// Submenus stand in a menu under IDs below 0.
constexpr int kRangeMenu = -1;
constexpr int kThemeMenu = -2;

struct MenuInfo {
    const char* title;
    std::span<const int> items;
};

struct SubmenuInfo {
    int id; // below 0
    const char* title;
    std::span<const int> items;
};

std::span<const MenuInfo> MainMenus();
// The submenu a menu item below 0 stands for, or null.
const SubmenuInfo* FindSubmenu(int id);
std::span<const int> ToolbarButtons();
