// The catalogue the texts come from, and the few rules of a text's words.
#include "core/texts.h"

#include <algorithm>
#include <cstring>

#include "languages.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

struct Catalogue {
    Translator translator = nullptr;
    std::string language;
};

Catalogue& Active()
{
    static Catalogue catalogue;
    return catalogue;
}

// "de_AT.UTF-8@euro" without its code set and modifier: "de_AT".
std::string WithoutCodeset(const std::string& name) { return name.substr(0, name.find_first_of(".@")); }

}  // namespace

const std::vector<std::string>& CatalogueLanguages()
{
    static const std::vector<std::string> languages = {SCRIVLET_CATALOGUE_LANGUAGES};
    return languages;
}

std::string CatalogueLanguage(const std::vector<std::string>& preferred)
{
    const std::vector<std::string>& known = CatalogueLanguages();
    for (const std::string& name : preferred) {
        const std::string plain = WithoutCodeset(name);
        // English, asked for by name, is English even when a later language has a catalogue.
        if (plain == "en" || plain.rfind("en_", 0) == 0 || plain == "C" || plain == "POSIX")
            return "";
        for (const std::string& candidate : {plain, plain.substr(0, plain.find('_'))}) {
            for (const std::string& language : known) {
                if (candidate == language)
                    return language;
            }
        }
    }
    return "";
}

void UseCatalogue(Translator translator, const std::string& language)
{
    Active().translator = translator;
    Active().language = language;
}

const std::string& ActiveLanguage() { return Active().language; }

const std::vector<std::pair<int, const char*>>& AllTexts()
{
    static const std::vector<std::pair<int, const char*>> texts = {
        {IDS_TITLE_PLAIN, TEXT_TITLE_PLAIN},
        {IDS_TITLE_CONFINED, TEXT_TITLE_CONFINED},
        {IDS_MENU_FILE, TEXT_MENU_FILE},
        {IDS_MENU_SAVE_BMP, TEXT_MENU_SAVE_BMP},
        {IDS_MENU_OPTIONS, TEXT_MENU_OPTIONS},
        {IDS_MENU_EXIT, TEXT_MENU_EXIT},
        {IDS_MENU_EDIT, TEXT_MENU_EDIT},
        {IDS_MENU_CLEAR, TEXT_MENU_CLEAR},
        {IDS_MENU_HELP, TEXT_MENU_HELP},
        {IDS_MENU_ABOUT, TEXT_MENU_ABOUT},
        {IDS_MENU_CONTENTS, TEXT_MENU_CONTENTS},
        {IDS_ABOUT_TITLE, TEXT_ABOUT_TITLE},
        {IDS_ABOUT, TEXT_ABOUT},
        {IDS_OPTIONS_TITLE, TEXT_OPTIONS_TITLE},
        {IDS_OPTIONS_PRESETS, TEXT_OPTIONS_PRESETS},
        {IDS_OPTIONS_DRAW_WHEN_MOUSE_MOVES, TEXT_OPTIONS_DRAW_WHEN_MOUSE_MOVES},
        {IDS_OPTIONS_ERASE_WITH_RIGHT_BUTTON, TEXT_OPTIONS_ERASE_WITH_RIGHT_BUTTON},
        {IDS_OPTIONS_DRAW_WITH_BLACK_MARGINS, TEXT_OPTIONS_DRAW_WITH_BLACK_MARGINS},
        {IDS_OPTIONS_AUTO_DRAW, TEXT_OPTIONS_AUTO_DRAW},
        {IDS_OPTIONS_CLIP_MOUSE_POINTER, TEXT_OPTIONS_CLIP_MOUSE_POINTER},
        {IDS_OPTIONS_KEY_SOUND, TEXT_OPTIONS_KEY_SOUND},
        {IDS_OPTIONS_KEY_SOUND_ENABLE, TEXT_OPTIONS_KEY_SOUND_ENABLE},
        {IDS_OPTIONS_SOUND_FILE, TEXT_OPTIONS_SOUND_FILE},
        {IDS_OPTIONS_BROWSE, TEXT_OPTIONS_BROWSE},
        {IDS_OK, TEXT_OK},
        {IDS_CANCEL, TEXT_CANCEL},
        {IDS_HELP, TEXT_HELP},
        {IDS_PRESET_0_6_MONTHS, TEXT_PRESET_0_6_MONTHS},
        {IDS_PRESET_6_12_MONTHS, TEXT_PRESET_6_12_MONTHS},
        {IDS_PRESET_12_24_MONTHS, TEXT_PRESET_12_24_MONTHS},
        {IDS_PRESET_24_MONTHS_AND_UP, TEXT_PRESET_24_MONTHS_AND_UP},
        {IDS_CHOOSE_SOUND_TITLE, TEXT_CHOOSE_SOUND_TITLE},
        {IDS_CHOOSE_PICTURE_TITLE, TEXT_CHOOSE_PICTURE_TITLE},
        {IDS_FILTER_SOUNDS, TEXT_FILTER_SOUNDS},
        {IDS_FILTER_PICTURES, TEXT_FILTER_PICTURES},
        {IDS_FILTER_ALL, TEXT_FILTER_ALL},
        {IDS_REPLACE_FILE, TEXT_REPLACE_FILE},
        {IDS_SAVE_FAILED_TITLE, TEXT_SAVE_FAILED_TITLE},
        {IDS_SAVE_FAILED, TEXT_SAVE_FAILED},
        {IDS_REASON_DISK_FULL, TEXT_REASON_DISK_FULL},
        {IDS_REASON_NOT_WRITABLE, TEXT_REASON_NOT_WRITABLE},
        {IDS_REASON_NO_FOLDER, TEXT_REASON_NO_FOLDER},
        {IDS_REASON_IN_USE, TEXT_REASON_IN_USE},
        {IDS_REASON_NAME_TOO_LONG, TEXT_REASON_NAME_TOO_LONG},
        {IDS_REASON_IS_FOLDER, TEXT_REASON_IS_FOLDER},
        {IDS_REASON_OTHER, TEXT_REASON_OTHER},
        {IDS_REASON_NO_PICTURE, TEXT_REASON_NO_PICTURE},
        {IDS_INSTALLER_RUN, TEXT_INSTALLER_RUN},
        {IDS_NAME_NOT_KEPT, TEXT_NAME_NOT_KEPT},
    };
    return texts;
}

int TextId(const char* english)
{
    for (const auto& [id, text] : AllTexts()) {
        if (std::strcmp(text, english) == 0)
            return id;
    }
    return 0;
}

std::string Tr(const char* english)
{
    const Catalogue& catalogue = Active();
    if (catalogue.translator && !catalogue.language.empty()) {
        const int id = TextId(english);
        if (id != 0) {
            std::string translated = catalogue.translator(id, english);
            if (!translated.empty())
                return translated;
        }
    }
    return english;
}

std::string FillIn(std::string text, const std::vector<std::pair<std::string, std::string>>& values)
{
    // One pass over the text, so that a value holding "{name}" (a folder may) stays as it is.
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('{', at);
        const size_t close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos)
            break;
        out.append(text, at, open - at);
        const std::string name = text.substr(open + 1, close - open - 1);
        const auto value = std::find_if(values.begin(), values.end(), [&](const auto& v) { return v.first == name; });
        if (value != values.end()) {
            out += value->second;
            at = close + 1;
        } else {
            out += '{';
            at = open + 1;
        }
    }
    out.append(text, at, std::string::npos);
    return out;
}

std::string WithoutMnemonic(const std::string& text)
{
    std::string plain = text;
    const size_t suffix = plain.rfind("(&");
    if (suffix != std::string::npos && suffix + 4 == plain.size() && plain.back() == ')')
        plain.erase(suffix);
    std::string out;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '&' && i + 1 < plain.size())
            ++i;
        out += plain[i];
    }
    return out;
}
