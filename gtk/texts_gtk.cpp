// The toy speaks the user's language as every GTK program does: gtk_init
// has set the locale from LC_ALL, LC_MESSAGES and LANG, and gettext reads
// LANGUAGE over it. The catalogues lie with the program's other files.
#include <libintl.h>

#include <clocale>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

// gettext gives back the English itself when its catalogue has no
// translation; the core then shows the English anyway.
std::string GettextTranslation(int, const char* english)
{
    const char* text = g_dgettext(kProgramName, english);
    return text == english ? std::string() : std::string(text);
}

void SpeakUsersLanguage()
{
    // Only the words change with the language: numbers are read and
    // written as in C whatever the desktop's habits (a German comma).
    setlocale(LC_NUMERIC, "C");
    // gettext ignores LANGUAGE while the messages' locale is C, and so does
    // the toy, lest its help and its words disagree.
    std::vector<std::string> names;
    const char* messages = setlocale(LC_MESSAGES, nullptr);
    if (messages && std::strcmp(messages, "C") != 0 && std::strcmp(messages, "POSIX") != 0) {
        for (const gchar* const* name = g_get_language_names(); *name; ++name)
            names.emplace_back(*name);
    }
    const std::string language = CatalogueLanguage(names);
    const std::optional<std::string> folder = FindLocaleFolder(ProgramPath(), language, IsReadableFile);
    if (!folder) {
        UseCatalogue(nullptr, "");
        return;
    }
    bindtextdomain(kProgramName, folder->c_str());
    bind_textdomain_codeset(kProgramName, "UTF-8");
    UseCatalogue(GettextTranslation, language);
}

}  // namespace gtk3
