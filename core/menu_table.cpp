// The one table of the menu bar, built from the shared texts and identifiers.
#include "core/menu_table.h"

#include "core/texts.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

constexpr MenuItem kSeparator{nullptr, 0};

}  // namespace

const std::vector<MenuPopup>& MainMenu()
{
    static const std::vector<MenuPopup> menu = {
        {TEXT_MENU_FILE,
         {{TEXT_MENU_SAVE_BMP, IDM_SAVE_BMP}, kSeparator, {TEXT_MENU_OPTIONS, IDM_OPTIONS}, kSeparator,
          {TEXT_MENU_EXIT, IDM_EXIT}}},
        {TEXT_MENU_EDIT, {{TEXT_MENU_CLEAR, IDM_CLEAR}}},
        {TEXT_MENU_HELP, {{TEXT_MENU_ABOUT, IDM_ABOUT}, {TEXT_MENU_CONTENTS, IDM_HELP_CONTENTS}}},
    };
    return menu;
}

std::vector<std::string> MenuTitles()
{
    std::vector<std::string> titles;
    for (const MenuPopup& popup : MainMenu())
        titles.push_back(Tr(popup.title));
    return titles;
}

std::vector<std::string> MenuItemTexts(int popup)
{
    std::vector<std::string> texts;
    if (popup < 0 || popup >= static_cast<int>(MainMenu().size()))
        return texts;
    for (const MenuItem& item : MainMenu()[popup].items)
        texts.push_back(item.text ? Tr(item.text) : "");
    return texts;
}
