// The menu table: the resource script's MENU block, which windres builds
// into the Windows program, holds the same popups, items, commands and
// separators in the same order; and every title and item is reachable from
// the keyboard by the letter rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// Words, numbers and quoted strings (kept with their quotes) of script text,
// without comments, preprocessor lines and punctuation.
std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> tokens;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        for (size_t i = first; i < line.size();) {
            const auto c = static_cast<unsigned char>(line[i]);
            if (line.compare(i, 2, "//") == 0)
                break;
            size_t end = i + 1;
            if (c == '"') {
                end = std::min(line.find('"', end), line.size() - 1) + 1;
            } else if (std::isalnum(c) || c == '_') {
                while (end < line.size() && (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_'))
                    ++end;
            } else {
                i = end;
                continue;
            }
            tokens.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return tokens;
}

// "#define NAME VALUE" of the headers the script includes.
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

// A token's text: a string's contents, a macro's value, or the number.
std::string Resolve(const std::string& token, const std::map<std::string, std::string>& defines)
{
    if (!token.empty() && token[0] == '"')
        return token.substr(1, token.size() - 2);
    const auto defined = defines.find(token);
    return defined == defines.end() ? token : Resolve(defined->second, defines);
}

// One line per popup, item, separator and popup end.
std::vector<std::string> ScriptMenu()
{
    const std::map<std::string, std::string> defines = Defines();
    const std::vector<std::string> tokens = Tokens(ReadSource("res/scrivlet.rc"));
    std::vector<std::string> lines;
    size_t i = 0;
    while (i + 1 < tokens.size() && !(tokens[i] == "IDR_MAIN_MENU" && tokens[i + 1] == "MENU"))
        ++i;
    int depth = 0;
    for (i += 2; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token == "BEGIN") {
            ++depth;
        } else if (token == "END") {
            if (--depth == 0)
                break;
            lines.push_back("end");
        } else if (token == "POPUP" && i + 1 < tokens.size()) {
            lines.push_back("popup " + Resolve(tokens[++i], defines));
        } else if (token == "MENUITEM" && i + 1 < tokens.size() && tokens[i + 1] == "SEPARATOR") {
            lines.push_back("separator");
            ++i;
        } else if (token == "MENUITEM" && i + 2 < tokens.size()) {
            lines.push_back("item " + Resolve(tokens[i + 1], defines) + " " + Resolve(tokens[i + 2], defines));
            i += 2;
        } else {
            lines.push_back("unexpected " + token);
        }
    }
    return lines;
}

std::vector<std::string> TableMenu()
{
    std::vector<std::string> lines;
    for (const MenuPopup& popup : MainMenu()) {
        lines.push_back(std::string("popup ") + popup.title);
        for (const MenuItem& item : popup.items)
            lines.push_back(item.text ? "item " + std::string(item.text) + " " + std::to_string(item.command)
                                      : "separator");
        lines.push_back("end");
    }
    return lines;
}

}  // namespace

TEST(MenuTable, ResourceScriptHoldsTheSameMenu)
{
    EXPECT_EQ(ScriptMenu(), TableMenu());
}

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
