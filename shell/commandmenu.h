// Menus as data: a menu is a named list of command numbers, separators and
// submenus. The Qt adapter (app/commandactions.h) makes the menus of a set in
// order, each entry's action coming from the command table.
#pragma once

#include <string>
#include <vector>

namespace plexo {

struct MenuEntry {
    int id = 0;          // the command; 0 without a submenu: a separator
    std::string submenu; // the object name of a menu built before this one, shown as a submenu

    MenuEntry(int command) : id(command) {}
    MenuEntry(const char* menuName) : submenu(menuName) {}
};

struct MenuSpec {
    std::string name;  // object name, by which other menus and windows find it
    std::string title; // UTF-8, with "&"
    std::vector<MenuEntry> entries;
};

} // namespace plexo
