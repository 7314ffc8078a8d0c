// Matching typed letters to menu titles and items, and the one system
// command that the window swallows.
#include "core/menu_keys.h"

#include <cctype>

namespace {

int Lower(int c) { return std::tolower(static_cast<unsigned char>(c)); }

bool IsMenuLetter(int typed) { return typed > 0 && typed <= 255; }

// The letter after the item's '&' ("&&" is a literal ampersand), or 0.
int Mnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return Lower(text[i + 1]);
        ++i;
    }
    return 0;
}

}  // namespace

int PopupForLetter(int typed, const std::vector<std::string>& titles)
{
    if (!IsMenuLetter(typed))
        return -1;
    const int wanted = Lower(typed);
    for (size_t i = 0; i < titles.size(); ++i) {
        const std::string& title = titles[i];
        if (!title.empty() && Lower(title[0]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int PopupItemForLetter(int typed, const std::vector<std::string>& texts)
{
    if (!IsMenuLetter(typed))
        return -1;
    const int wanted = Lower(typed);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (Mnemonic(texts[i]) == wanted)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        if (!text.empty() && Mnemonic(text) == 0 && Lower(text[0]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

bool SwallowSystemCommand(uintptr_t command, intptr_t letter)
{
    return (command & 0xFFF0u) == kSystemCommandKeyMenu && letter == 0;
}

KeyKind KeyKindOfKeysym(uint32_t keysym)
{
    switch (keysym) {
    case 0xFFE9:  // Alt_L
    case 0xFFEA:  // Alt_R
    case 0xFFE7:  // Meta_L
    case 0xFFE8:  // Meta_R
        return KeyKind::Alt;
    case 0xFFEB:  // Super_L
    case 0xFFEC:  // Super_R
    case 0xFFED:  // Hyper_L
    case 0xFFEE:  // Hyper_R
        return KeyKind::Logo;
    case 0xFFC7:  // F10
        return KeyKind::F10;
    default:
        return KeyKind::Other;
    }
}

bool KeyStamps(KeyKind kind, bool altHeld) { return kind == KeyKind::Other && !altHeld; }
