// Matching typed letters to menu titles and items, and the one system
// command that the window swallows.
#include "core/menu_keys.h"

namespace {

// The code point that starts at `at` in UTF-8 `text`, and where the next
// one starts; a stray byte stands for itself.
char32_t Decode(const std::string& text, size_t& at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || at + length > text.size()) {
        ++at;
        return lead;
    }
    char32_t c = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        c = (c << 6) | (byte(at + i) & 0x3F);
    at += length;
    return c;
}

// The lower case of the letters a menu of the catalogues' languages can
// start with: Latin (with the accents of Western and Central Europe) and
// Cyrillic. Any other character is its own.
char32_t Lower(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    // Latin Extended-A pairs its cases, upper first, in two runs of opposite parity.
    const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F &&
        (c % 2 == 1) == oddRun)
        return c + 1;
    return c;
}

bool IsMenuLetter(int typed) { return typed > 0 && typed <= 0x10FFFF; }

// The letter after the text's '&' ("&&" is a literal ampersand), or 0.
char32_t Mnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&') {
            size_t at = i + 1;
            return Lower(Decode(text, at));
        }
        ++i;
    }
    return 0;
}

char32_t FirstLetter(const std::string& text)
{
    size_t at = 0;
    return text.empty() ? 0 : Lower(Decode(text, at));
}

}  // namespace

char32_t MenuLetter(const std::string& text)
{
    const char32_t mnemonic = Mnemonic(text);
    return mnemonic ? mnemonic : FirstLetter(text);
}

int PopupForLetter(int typed, const std::vector<std::string>& titles)
{
    if (!IsMenuLetter(typed))
        return -1;
    const char32_t wanted = Lower(static_cast<char32_t>(typed));
    for (size_t i = 0; i < titles.size(); ++i) {
        if (MenuLetter(titles[i]) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int PopupItemForLetter(int typed, const std::vector<std::string>& texts)
{
    if (!IsMenuLetter(typed))
        return -1;
    const char32_t wanted = Lower(static_cast<char32_t>(typed));
    for (size_t i = 0; i < texts.size(); ++i) {
        if (Mnemonic(texts[i]) == wanted)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        if (!text.empty() && Mnemonic(text) == 0 && FirstLetter(text) == wanted)
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
