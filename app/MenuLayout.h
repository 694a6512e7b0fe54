#pragma once
// Where the commands of the command table (platform/Commands.h) stand: the menus of the menu bar
// and the buttons of the toolbar, from first to last.

#include <span>

// A separator in a menu, a gap on the toolbar.
constexpr int kSeparator = 0;

struct MenuInfo {
    const char* title;
    std::span<const int> items;
};

std::span<const MenuInfo> MainMenus();
std::span<const int> ToolbarButtons();
