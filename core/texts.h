// The words a parent reads, in the language of the user's desktop. English
// (res/texts.h) is the source and the fallback: each shell hands the core
// its platform's catalogue (gettext's, or the resources' string table), and
// a text the catalogue lacks is shown in English.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The languages that have a catalogue, as gettext names them (po/LINGUAS).
const std::vector<std::string>& CatalogueLanguages();

// The first of the user's languages, in order of preference, that has a
// catalogue, or "" for English. A name may carry a territory, a code set
// and a modifier ("de_AT.UTF-8@euro"); one with a territory also matches
// its bare language ("de_AT" is "de"), never the other way round, so that
// Portugal's Portuguese does not get Brazil's.
std::string CatalogueLanguage(const std::vector<std::string>& preferred);

// A platform's catalogue: the translation of a text (its string table
// identifier and its English), in UTF-8, or "" when it has none.
using Translator = std::string (*)(int textId, const char* english);

// The catalogue and its language (one of CatalogueLanguages(), or "" for
// English) that the texts come from from now on.
void UseCatalogue(Translator translator, const std::string& language);
const std::string& ActiveLanguage();

// The text in the active catalogue's language; `english` is one of the
// texts of res/texts.h (any other text is returned as it is).
std::string Tr(const char* english);

// The string table identifier of an English text, or 0 for none.
int TextId(const char* english);

// Every text of res/texts.h with its string table identifier.
const std::vector<std::pair<int, const char*>>& AllTexts();

// `text` with each "{name}" of `values` replaced by its value.
std::string FillIn(std::string text, const std::vector<std::pair<std::string, std::string>>& values);

// A menu text as a label shows it: its '&' mnemonic marks taken out, and a
// trailing "(&X)" (the mnemonic of a script without the letter) with them.
std::string WithoutMnemonic(const std::string& text);
