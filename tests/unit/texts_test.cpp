// The catalogues and the rules every language's texts keep: letters that
// open the menus, the title that names the File menu's letter, placeholders,
// the glossary's words, and English wherever no catalogue answers.
#include <gtest/gtest.h>

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/menu_keys.h"
#include "core/menu_table.h"
#include "core/texts.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

std::string Gettext(int, const char* english)
{
    const char* translated = dgettext("scrivlet", english);
    return translated == english ? "" : translated;
}

// Reads `language` through gettext from the build's catalogues.
void UseLanguage(const std::string& language)
{
    setenv("LANGUAGE", language.c_str(), 1);
    // Only a change of locale makes gettext drop the translations it has
    // cached, and setting the locale already in use changes nothing: so by
    // way of another one.
    std::setlocale(LC_ALL, "C");
    std::setlocale(LC_ALL, "C.UTF-8");
    bindtextdomain("scrivlet", SCRIVLET_TEST_LOCALE_DIR);
    bind_textdomain_codeset("scrivlet", "UTF-8");
    UseCatalogue(Gettext, language);
}

std::set<std::string> Placeholders(const std::string& text)
{
    static const std::regex placeholder("\\{[a-z]+\\}");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

int Mnemonics(const std::string& text)
{
    int count = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            count += text[i + 1] != '&';
            ++i;
        }
    }
    return count;
}

// The glossary of docs/translating.md, language by language: each row's
// English word and the word the catalogue keeps for it (its "Scrivlet"
// column). Each language's table follows a "### `LL`" heading under
// "## Glossary".
using Glossary = std::map<std::string, std::map<std::string, std::string>>;

std::vector<std::string> TableCells(const std::string& row)
{
    std::vector<std::string> cells;
    size_t start = row.find('|') + 1;
    for (size_t end; (end = row.find('|', start)) != std::string::npos; start = end + 1) {
        const size_t first = row.find_first_not_of(' ', start);
        const size_t last = row.find_last_not_of(' ', end - 1);
        cells.push_back(first < end && last >= first ? row.substr(first, last - first + 1) : "");
    }
    return cells;
}

Glossary ReadGlossary(const std::string& path)
{
    std::ifstream doc(path);
    EXPECT_TRUE(doc) << path;
    static const std::regex heading("### `([A-Za-z_]+)`.*");
    Glossary glossary;
    bool inGlossary = false;
    std::string language;
    std::vector<std::string> columns;  // of the language's table, once its header is read
    for (std::string line; std::getline(doc, line);) {
        std::smatch match;
        if (line.rfind("## ", 0) == 0) {
            inGlossary = line == "## Glossary";
            language.clear();
        } else if (inGlossary && line.rfind("### ", 0) == 0) {
            EXPECT_TRUE(std::regex_match(line, match, heading)) << "not a language's heading: " << line;
            language = match.empty() ? "" : match[1].str();
            columns.clear();
        } else if (!language.empty() && line.rfind('|', 0) == 0) {
            const std::vector<std::string> cells = TableCells(line);
            if (columns.empty()) {
                columns = cells;
                continue;
            }
            if (!cells.empty() && cells[0].find_first_not_of("-:") == std::string::npos)
                continue;  // the line under the header
            std::map<std::string, std::string> row;
            for (size_t i = 0; i < cells.size() && i < columns.size(); ++i)
                row[columns[i]] = cells[i];
            EXPECT_FALSE(row["English"].empty() || row["Scrivlet"].empty()) << language << ": " << line;
            EXPECT_TRUE(glossary[language].emplace(row["English"], row["Scrivlet"]).second)
                << language << ": \"" << row["English"] << "\" twice";
        }
    }
    return glossary;
}

// A menu item's or button's text as the glossary takes it: without its '&'
// marks and "(&X)" suffix, and without the dots of an item that opens a
// dialog.
std::string Label(std::string text)
{
    for (const std::string_view dots : {"...", "\u2026"}) {
        if (text.size() >= dots.size() && text.compare(text.size() - dots.size(), dots.size(), dots) == 0)
            text.erase(text.size() - dots.size());
    }
    return WithoutMnemonic(text);
}

// The code points of UTF-8 text; needs the UTF-8 locale that UseLanguage
// sets.
std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    const size_t length = std::mbstowcs(&wide[0], text.c_str(), wide.size());
    if (length == static_cast<size_t>(-1)) {
        ADD_FAILURE() << "not UTF-8: " << text;
        return L"";
    }
    wide.resize(length);
    return wide;
}

// Lower-cased, so that a word matches where a text writes it in the middle
// ("Tout effacer" holds "Effacer").
std::wstring Folded(const std::string& text)
{
    std::wstring folded = Wide(text);
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return folded;
}

class Catalogues : public testing::Test {
protected:
    void TearDown() override
    {
        UseCatalogue(nullptr, "");
        unsetenv("LANGUAGE");
        std::setlocale(LC_ALL, "C");
    }
};

}  // namespace

TEST(Texts, CatalogueLanguageFollowsTheFirstKnownPreference)
{
    struct Case {
        std::vector<std::string> preferred;
        const char* language;
    } cases[] = {
        {{"de_DE.UTF-8"}, "de"},
        {{"de_AT.UTF-8@euro", "fr"}, "de"},
        {{"pt_BR"}, "pt_BR"},
        {{"pt_PT", "pt"}, ""},  // Portugal's Portuguese does not get Brazil's
        {{"zh_TW", "zh"}, ""},
        {{"zh_CN.UTF-8", "zh"}, "zh_CN"},
        {{"sv_SE", "ru_RU", "C"}, "ru"},
        {{"en_GB", "de"}, ""},  // English asked for first stays English
        {{"C"}, ""},
        {{}, ""},
        {{"", "ja_JP.eucJP"}, "ja"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preferred.empty() ? "(none)" : c.preferred.front());
        EXPECT_EQ(CatalogueLanguage(c.preferred), c.language);
    }
}

TEST(Texts, PlaceholdersMnemonicsAndEnglishFallback)
{
    // One pass: a value holding another placeholder's name stays as it is.
    EXPECT_EQ(FillIn("{path} because {reason}.", {{"path", "C:\\{reason}"}, {"reason", "full"}}),
              "C:\\{reason} because full.");
    EXPECT_EQ(FillIn("{unknown} {path", {{"path", "x"}}), "{unknown} {path");
    EXPECT_EQ(WithoutMnemonic("E&xit"), "Exit");
    EXPECT_EQ(WithoutMnemonic("Salt && pepper"), "Salt & pepper");
    EXPECT_EQ(WithoutMnemonic("\u30d5\u30a1\u30a4\u30eb(&F)"), "\u30d5\u30a1\u30a4\u30eb");
    // Without a catalogue, and with one that has no answer, the English shows.
    UseCatalogue(nullptr, "de");
    EXPECT_STREQ(Tr(TEXT_TITLE_CONFINED).c_str(), "Scrivlet. (Alt-F - menu)");
    UseCatalogue([](int, const char*) { return std::string(); }, "de");
    EXPECT_EQ(Tr(TEXT_MENU_EXIT), "E&xit");
    EXPECT_EQ(Tr("not one of ours"), "not one of ours");
    UseCatalogue(nullptr, "");
    EXPECT_EQ(TextId(TEXT_OPTIONS_AUTO_DRAW), IDS_OPTIONS_AUTO_DRAW);
    EXPECT_EQ(TextId("not one of ours"), 0);
}

// Every language of po/LINGUAS, read as the native program reads it.
TEST_F(Catalogues, EveryLanguageKeepsTheRulesOfItsTexts)
{
    std::ifstream linguas(SCRIVLET_SOURCE_DIR "/po/LINGUAS");
    std::vector<std::string> listed;
    for (std::string line; std::getline(linguas, line);) {
        if (!line.empty() && line[0] != '#')
            listed.push_back(line);
    }
    EXPECT_EQ(listed, CatalogueLanguages());

    // The texts each glossary word is held to: the menu items and buttons,
    // and the titles that repeat an item's word.
    const std::map<std::string, std::vector<const char*>> glossaryTexts = {
        {"File", {TEXT_MENU_FILE}},
        {"Edit", {TEXT_MENU_EDIT}},
        {"Help", {TEXT_MENU_HELP, TEXT_HELP}},
        {"Save As", {TEXT_MENU_SAVE_BMP}},
        {"Options", {TEXT_MENU_OPTIONS, TEXT_OPTIONS_TITLE}},
        {"Exit", {TEXT_MENU_EXIT}},
        {"Clear", {TEXT_MENU_CLEAR}},
        {"Contents", {TEXT_MENU_CONTENTS}},
        {"About", {TEXT_MENU_ABOUT, TEXT_ABOUT_TITLE}},
        {"OK", {TEXT_OK}},
        {"Cancel", {TEXT_CANCEL}},
        {"12-24 months", {TEXT_PRESET_12_24_MONTHS}},
    };
    std::set<std::string> glossaryWords;
    for (const auto& [word, texts] : glossaryTexts)
        glossaryWords.insert(word);
    const Glossary glossary = ReadGlossary(SCRIVLET_SOURCE_DIR "/docs/translating.md");
    std::set<std::string> glossaryLanguages;
    for (const auto& [language, words] : glossary)
        glossaryLanguages.insert(language);
    EXPECT_EQ(glossaryLanguages, std::set<std::string>(listed.begin(), listed.end()))
        << "the glossary's languages in docs/translating.md";

    const std::regex hint("Alt-(.[\\x80-\\xBF]*) ");
    for (const std::string& language : CatalogueLanguages()) {
        SCOPED_TRACE(language);
        UseLanguage(language);
        for (const auto& [id, english] : AllTexts()) {
            SCOPED_TRACE(english);
            const std::string text = Tr(english);
            EXPECT_NE(Gettext(id, english), "") << "no translation";
            EXPECT_EQ(Placeholders(text), Placeholders(english));
            // A marked letter stays marked; a title may gain one (below).
            EXPECT_EQ(Mnemonics(text), Mnemonics(english) > 0 ? 1 : Mnemonics(text) > 0);
        }
        // "About" is the About box's title as well, where a mark would show.
        EXPECT_EQ(Mnemonics(Tr(TEXT_ABOUT_TITLE)), 0);

        // Each title opens by a letter of its own, and every title carries it
        // marked, so that the platform's own menu handling finds it too.
        const std::vector<std::string> titles = MenuTitles();
        std::set<char32_t> titleLetters;
        for (const std::string& title : titles) {
            EXPECT_EQ(Mnemonics(title), 1) << title;
            titleLetters.insert(MenuLetter(title));
        }
        EXPECT_EQ(titleLetters.size(), titles.size());
        for (int popup = 0; popup < static_cast<int>(titles.size()); ++popup) {
            std::set<char32_t> letters;
            int items = 0;
            for (const std::string& text : MenuItemTexts(popup)) {
                if (text.empty())
                    continue;
                ++items;
                letters.insert(MenuLetter(text));
            }
            EXPECT_EQ(static_cast<int>(letters.size()), items) << titles[popup];
        }

        // The held pointer's title names the key that really opens File.
        const std::string confined = Tr(TEXT_TITLE_CONFINED);
        std::smatch match;
        ASSERT_TRUE(std::regex_search(confined, match, hint)) << confined;
        EXPECT_EQ(MenuLetter(match[1]), MenuLetter(titles[0])) << confined;
        // And the save failure's advice names the menu as it reads.
        const std::string save = WithoutMnemonic(titles[0]) + " > " + WithoutMnemonic(Tr(TEXT_MENU_SAVE_BMP));
        EXPECT_NE(Tr(TEXT_SAVE_FAILED).find(save), std::string::npos) << save;

        // The menus and the dialog say the platforms' words as the glossary
        // gives them for the language.
        const auto words = glossary.find(language);
        if (words == glossary.end())
            continue;
        std::set<std::string> rows;
        for (const auto& [english, word] : words->second) {
            rows.insert(english);
            const auto texts = glossaryTexts.find(english);
            if (texts == glossaryTexts.end())
                continue;
            for (const char* text : texts->second) {
                const std::string label = Label(Tr(text));
                const std::wstring folded = Folded(word);
                EXPECT_TRUE(!folded.empty() && Folded(label).find(folded) != std::wstring::npos)
                    << language << ": \"" << text << "\" reads \"" << label << "\", without the glossary's \"" << word
                    << "\" for " << english;
            }
        }
        EXPECT_EQ(rows, glossaryWords) << "the rows of the glossary of " << language;
    }
}
