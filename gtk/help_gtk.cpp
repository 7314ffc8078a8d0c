// Help > Contents and the options dialog's Help: the toy's own help pages
// (the HTML its Windows help file is compiled from), opened in the desktop's
// browser. The pages are the program's data files, in help/.
#include <cstdio>
#include <optional>
#include <string>

#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"

void ShowHelpTopic(const char* topic)
{
    const std::string page = std::string("help/") + topic;
    const std::string::size_type anchor = page.find('#');
    const std::string name = page.substr(0, anchor);
    const std::optional<std::string> found = DataFile(name);
    if (!found) {
        std::fprintf(stderr, "scrivlet: no help: %s is found neither in PREFIX/%s nor beside %s\n",
                     name.c_str(), kInstalledDataFolder, ProgramPath().c_str());
        return;
    }
    const std::string& file = *found;
    gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
    if (!uri)
        return;
    const std::string pageUri = uri;
    g_free(uri);
    const std::string address = anchor == std::string::npos ? pageUri : pageUri + page.substr(anchor);
    // GIO takes a file URI with a "#" for a file of that name, so the
    // browser for web pages is asked directly, which keeps the anchor.
    bool shown = false;
    if (GAppInfo* browser = g_app_info_get_default_for_type("text/html", FALSE)) {
        GList uris{};
        uris.data = const_cast<char*>(address.c_str());
        shown = g_app_info_launch_uris(browser, &uris, nullptr, nullptr);
        g_object_unref(browser);
    }
    if (!shown)
        gtk_show_uri_on_window(GTK_WINDOW(TheShell().window), pageUri.c_str(), GDK_CURRENT_TIME, nullptr);
}
