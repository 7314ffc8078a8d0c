// The toy's dialogs with GTK: the file choosers for the core's questions,
// the message box, the cairo canvas as a BMP file for Save as BMP, and the
// help pages (the HTML the Windows help file is compiled from, data files
// of the program in help/), opened in the desktop's browser.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "core/data_files.h"
#include "core/texts.h"
#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

// The user's pictures folder: XDG_PICTURES_DIR from the environment, else
// as the desktop's user-dirs.dirs names it.
std::string PicturesFolder()
{
    const char* folder = g_getenv("XDG_PICTURES_DIR");
    if (!folder || !*folder)
        folder = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
    return folder ? folder : "";
}

// GTK's chooser asks before replacing the name typed; a name that gets its
// extension added only now is asked about here.
bool MayReplace(GtkWindow* owner, const std::string& path)
{
    if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
        return true;
    GtkWidget* question = gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO,
                                                 "%s", FillIn(Tr(TEXT_REPLACE_FILE), {{"path", path}}).c_str());
    const bool yes = RunToyDialog(GTK_DIALOG(question)) == GTK_RESPONSE_YES;
    gtk_widget_destroy(question);
    return yes;
}

void AddFilter(GtkWidget* chooser, const FileFilter& kind)
{
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, Tr(kind.name).c_str());
    gtk_file_filter_add_pattern(filter, kind.pattern ? kind.pattern : "*");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
}

std::string AskForFile(GtkWindow* owner, const FileQuestion& question)
{
    const bool saving = question.forSaving;
    // The buttons in GTK's own words, which its catalogue translates.
    GtkWidget* chooser = gtk_file_chooser_dialog_new(
        Tr(question.title).c_str(), owner, saving ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
        g_dgettext("gtk30", "_Cancel"), GTK_RESPONSE_CANCEL, g_dgettext("gtk30", saving ? "_Save" : "_Open"),
        GTK_RESPONSE_ACCEPT, nullptr);
    for (const FileFilter& filter : question.filters)
        AddFilter(chooser, filter);
    if (saving) {
        gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
        const std::string start = SaveChooserFolder(TheShell().lastFolder, PicturesFolder(), g_get_home_dir(), IsFolder);
        if (!start.empty())
            gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), start.c_str());
    }
    std::string path;
    if (RunToyDialog(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
            path = chosen;
            g_free(chosen);
        }
        gchar* folder = saving ? gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(chooser)) : nullptr;
        if (folder) {
            TheShell().lastFolder = folder;
            g_free(folder);
        }
    }
    gtk_widget_destroy(chooser);
    const std::string named = WithDefaultExtension(path, question.defaultExtension, "/");
    if (named != path && !MayReplace(owner, named))
        return {};
    return named;
}

std::string AskForFileOverWindow(const FileQuestion& question)
{
    return AskForFile(GTK_WINDOW(TheShell().window), question);
}

void ShowMessage(MessageKind kind, const char* title, const std::string& text)
{
    const GtkMessageType type = kind == MessageKind::Warning ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER;
    GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(TheShell().window), GTK_DIALOG_MODAL, type, GTK_BUTTONS_OK,
                                            "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), title);
    RunToyDialog(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

std::vector<uint8_t> CanvasAsBmp()
{
    cairo_surface_t* surface = TheShell().canvas.surface;
    if (!surface)
        return {};
    // An RGB24 image surface holds top-down rows of blue, green, red and an
    // unused byte: the encoder's own layout, with rows exactly 4 x width
    // bytes apart.
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (cairo_image_surface_get_stride(surface) != 4 * width)
        return {};
    return EncodeBmp(cairo_image_surface_get_data(surface), width, height);
}

void ShowHelpTopic(const char* topic)
{
    const std::string page = topic;
    const std::string::size_type anchor = page.find('#');
    const std::string name = page.substr(0, anchor);
    const std::optional<std::string> found = FindHelpPage(ProgramPath(), name, IsReadableFile);
    if (!found) {
        std::fprintf(stderr, "scrivlet: no help: help/%s is found neither in PREFIX/%s nor beside %s\n",
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

void UseDialogEntries(Platform& platform)
{
    platform.showMessage = ShowMessage;
    platform.chooseFile = AskForFileOverWindow;
    platform.canvasAsBmp = CanvasAsBmp;
    platform.showHelp = ShowHelpTopic;
    platform.runOptionsDialog = RunOptionsDialog;
}

}  // namespace gtk3
