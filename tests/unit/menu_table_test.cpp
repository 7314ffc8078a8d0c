// The menu table: the resource script's MENU block, which windres builds
// into the Windows program, holds the same popups, items, commands and
// separators in the same order; and every title and item is reachable from
// the keyboard by the letter rules.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/menu_keys.h"
#include "core/menu_table.h"

namespace {

std::string ReadSource(const std::string& relative)
{
    // The source tree, found from this file's own path.
    const std::string here = __FILE__;
    std::ifstream file(here.substr(0, here.rfind("tests/unit/")) + relative);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The script's words for texts and identifiers: "#define NAME VALUE" of the
// headers it includes.
std::map<std::string, std::string> Defines()
{
    std::map<std::string, std::string> defines;
    for (const char* header : {"res/texts.h", "res/resource.h"}) {
        std::istringstream lines(ReadSource(header));
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string directive, name, value;
            if (words >> directive >> name && directive == "#define" && std::getline(words >> std::ws, value))
                defines[name] = value;
        }
    }
    return defines;
}

// A string literal's contents, or what a macro stands for.
std::string Resolve(std::string word, const std::map<std::string, std::string>& defines)
{
    word.erase(word.find_last_not_of(" \t\r") + 1);
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"')
        return word.substr(1, word.size() - 2);
    const auto defined = defines.find(word);
    return defined == defines.end() ? word : Resolve(defined->second, defines);
}

// One line per popup, item, separator and popup end; a statement a line, as
// the script is written.
std::vector<std::string> ScriptMenu()
{
    const std::map<std::string, std::string> defines = Defines();
    std::istringstream script(ReadSource("res/scrivlet.rc"));
    std::string line;
    while (std::getline(script, line) && line.rfind("IDR_MAIN_MENU MENU", 0) != 0) {
    }
    std::vector<std::string> menu;
    int depth = 0;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string keyword, text, id;
        words >> keyword >> std::ws;
        if (keyword == "BEGIN") {
            ++depth;
        } else if (keyword == "END") {
            if (--depth == 0)
                break;
            menu.push_back("end");
        } else if (keyword == "POPUP" && std::getline(words, text)) {
            menu.push_back("popup " + Resolve(text, defines));
        } else if (keyword == "MENUITEM" && std::getline(words, text, ',')) {
            words >> id;
            menu.push_back(text == "SEPARATOR" ? "separator"
                                               : "item " + Resolve(text, defines) + " " + Resolve(id, defines));
        } else {
            menu.push_back("unexpected: " + line);
        }
    }
    return menu;
}

std::vector<std::string> TableMenu()
{
    std::vector<std::string> menu;
    for (const MenuPopup& popup : MainMenu()) {
        menu.push_back(std::string("popup ") + popup.title);
        for (const MenuItem& item : popup.items)
            menu.push_back(item.text ? "item " + std::string(item.text) + " " + std::to_string(item.command)
                                     : "separator");
        menu.push_back("end");
    }
    return menu;
}

}  // namespace

TEST(MenuTable, ResourceScriptHoldsTheSameMenu) { EXPECT_EQ(ScriptMenu(), TableMenu()); }

TEST(MenuTable, EveryTitleAndItemHasALetterOfItsOwn)
{
    const std::vector<std::string> titles = MenuTitles();
    ASSERT_EQ(titles.size(), MainMenu().size());
    for (size_t popup = 0; popup < titles.size(); ++popup) {
        SCOPED_TRACE(titles[popup]);
        EXPECT_EQ(PopupForLetter(titles[popup][0], titles), static_cast<int>(popup)) << "a title's first letter";
        const std::vector<std::string> texts = MenuItemTexts(static_cast<int>(popup));
        ASSERT_EQ(texts.size(), MainMenu()[popup].items.size());
        std::vector<bool> reached(texts.size(), false);
        for (int letter = 'a'; letter <= 'z'; ++letter) {
            const int item = PopupItemForLetter(letter, texts);
            if (item >= 0)
                reached[item] = true;
        }
        for (size_t item = 0; item < texts.size(); ++item)
            EXPECT_EQ(reached[item], !texts[item].empty()) << "item " << item << " \"" << texts[item] << '"';
    }
    EXPECT_TRUE(MenuItemTexts(-1).empty());
    EXPECT_TRUE(MenuItemTexts(static_cast<int>(titles.size())).empty());
}
