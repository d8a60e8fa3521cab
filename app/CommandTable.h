// Menu 100: every command with its text, keys and toolbar tooltip.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <span>

namespace app {

struct CommandInfo {
    int id;
    const char* text;     // menu text with its mnemonic
    const char* tooltip;  // toolbar tooltip; null for commands without a button
    bool checkable;
    QList<QKeySequence> keys;
};

// Every command of the main frame, in no particular order.
std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int id);

// The toolbar's buttons, left to right; 0 is a separator.
std::span<const int> ToolbarButtons();

// The menus: a title and its items; 0 is a separator, negative ids open the zoom submenu.
struct MenuInfo {
    const char* title;
    std::span<const int> items;
};
std::span<const MenuInfo> Menus();
std::span<const int> ZoomMenu();

}  // namespace app
