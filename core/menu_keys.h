// Keyboard ways into the menu. The English popup titles and Help items carry
// no '&' mnemonic, and some menu implementations match only those, so the
// window answers the platform's "unknown menu character" query itself. A
// bare Alt or F10 would put the menu bar into keyboard mode and hand the
// child's next keys to the menu, so that one system command is swallowed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The keyboard-menu system command (SC_KEYMENU); the low four bits of a
// system command's wParam are the platform's own and are ignored.
constexpr uint32_t kSystemCommandKeyMenu = 0xF100;

// The letter, lower-cased, that opens a menu title or picks an item: its '&'
// mnemonic, else its first letter (0 for an empty text). Texts are UTF-8 and
// letters are code points.
char32_t MenuLetter(const std::string& text);

// Index of the first title whose letter is `typed` (case-insensitive), or -1.
int PopupForLetter(int typed, const std::vector<std::string>& titles);

// Index of the popup item that `typed` picks (case-insensitive), or -1: an
// item with an '&' mnemonic by that letter, else one without a mnemonic by its
// first letter, as Windows picks them. Empty texts (separators) never match.
int PopupItemForLetter(int typed, const std::vector<std::string>& texts);

// What kind of key a platform's key is, as far as stamping goes: the
// Windows program gets Alt and F10 as system keys and never sees the logo
// keys, so none of them stamps there.
enum class KeyKind { Other, Alt, Logo, F10 };

// The kind of an X11 keysym (GDK's key values are X's): Alt and Meta, the
// logo keys (Super, Hyper), F10, or any other key.
KeyKind KeyKindOfKeysym(uint32_t keysym);

// True when a key's release stamps a blossom: any key but those above, and
// none while Alt is held.
bool KeyStamps(KeyKind kind, bool altHeld);

// True for the keyboard-menu command that carries no letter (a bare Alt or
// F10): it is swallowed. Alt+letter (the letter in `letter`) and every other
// system command go on to the default handling.
bool SwallowSystemCommand(uintptr_t command, intptr_t letter);
