// Help > Contents and the options dialog's Help: the toy's own help pages
// (the HTML its Windows help file is compiled from), opened in the desktop's
// browser. The pages are installed beside the program, in help/.
#include <unistd.h>

#include <climits>
#include <string>

#include "gtk/shell_gtk.h"

namespace {

std::string ProgramFolder()
{
    char path[PATH_MAX] = "";
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return std::string();
    const std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.rfind('/'));
}

}  // namespace

void ShowHelpTopic(const char* topic)
{
    const std::string page = ProgramFolder() + "/help/" + topic;
    const std::string::size_type anchor = page.find('#');
    const std::string file = page.substr(0, anchor);
    if (access(file.c_str(), R_OK) != 0)
        return;
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
