// The menu bar both programs show: its popups in order, each with its items,
// their texts (with the '&' mnemonic) and command identifiers. The resource
// script holds the same menu for Windows, and a test holds the two together.
#pragma once

#include <string>
#include <vector>

struct MenuItem {
    const char* text;  // null for a separator
    int command;       // an IDM_ identifier; 0 for a separator
};

struct MenuPopup {
    const char* title;  // without a mnemonic in English
    std::vector<MenuItem> items;
};

// File (Save as BMP, Options, Exit), Edit (Clear), Help (About, Contents).
const std::vector<MenuPopup>& MainMenu();

// The popups' titles, and one popup's item texts with "" for a separator
// (none for a popup outside the menu), in the active catalogue's language,
// as the letter rules take them. The table above holds the English.
std::vector<std::string> MenuTitles();
std::vector<std::string> MenuItemTexts(int popup);
