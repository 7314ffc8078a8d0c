// Texts from outside the program: the desktop's list of preferred languages
// and a catalogue's translations, both anything a file or a setting can
// hold. The input is split at NUL bytes: the parts are the languages, and
// they are also what the catalogue answers, text by text. Whatever they are,
// the language chosen has a catalogue or is English, and the menus, the
// letters that open them and the save failure's message are made from them
// without reading outside a text.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/menu_keys.h"
#include "core/menu_table.h"
#include "core/save_failure.h"
#include "core/texts.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::vector<std::string> parts;

std::string FromParts(int textId, const char*)
{
    return parts.empty() ? std::string() : parts[static_cast<size_t>(textId) % parts.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    parts = SplitAtNul(data, size, 64);

    const std::string language = CatalogueLanguage(parts);
    bool known = language.empty();
    for (const std::string& catalogue : CatalogueLanguages())
        known = known || language == catalogue;
    FUZZ_CHECK(known);

    UseCatalogue(FromParts, language.empty() ? "de" : language);
    for (const auto& [id, english] : AllTexts()) {
        const std::string translated = Tr(english);
        FUZZ_CHECK(WithoutMnemonic(translated).size() <= translated.size());
        MenuLetter(translated);
    }
    const std::vector<std::string> titles = MenuTitles();
    const int typed = size >= 4 ? static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24) : 'f';
    const int popup = PopupForLetter(typed, titles);
    FUZZ_CHECK(popup >= -1 && popup < static_cast<int>(titles.size()));
    if (popup >= 0) {
        const std::vector<std::string> items = MenuItemTexts(popup);
        const int item = PopupItemForLetter(typed, items);
        FUZZ_CHECK(item >= -1 && item < static_cast<int>(items.size()));
    }
    SaveFailureText(parts[0], FileErrorReason(FileError::DiskFull));
    NameNotKeptText(parts.back());
    FillIn(parts[0], {{"path", parts.back()}, {"reason", parts[0]}});
    UseCatalogue(nullptr, "");
    return 0;
}
