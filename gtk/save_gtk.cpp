// File > Save as BMP: GTK's Save chooser, then the whole canvas (at its
// start-up size, covered parts too) through the core's BMP encoder and
// atomic writer. A failed save is told as the Windows program tells it.
#include <new>
#include <string>

#include "gtk/canvas_gtk.h"
#include "core/bmp.h"
#include "gtk/file_ops_posix.h"
#include "core/save_failure.h"
#include "gtk/commands_gtk.h"
#include "gtk/shell_gtk.h"

namespace {

// The next chooser opens where the last one ended, as the Windows dialog
// does by moving the current directory.
std::string g_lastFolder;

bool HasExtension(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.find('.') != std::string::npos;
}

// GTK's chooser asks before replacing the name typed; a name that gets
// ".bmp" added only now is asked about here.
bool MayReplace(GtkWindow* owner, const std::string& path)
{
    if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
        return true;
    GtkWidget* question = gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO,
                                                 "%s already exists.\nDo you want to replace it?", path.c_str());
    const bool yes = gtk_dialog_run(GTK_DIALOG(question)) == GTK_RESPONSE_YES;
    gtk_widget_destroy(question);
    return yes;
}

void AddFilter(GtkWidget* chooser, const char* name, const char* pattern)
{
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, name);
    gtk_file_filter_add_pattern(filter, pattern);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), filter);
}

// The chosen path with ".bmp" added to a name without extension; empty when
// the parent cancelled.
std::string ChooseBitmapFile(GtkWindow* owner)
{
    GtkWidget* chooser = gtk_file_chooser_dialog_new("Choose filename to save the image", owner,
                                                     GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel", GTK_RESPONSE_CANCEL,
                                                     "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
    AddFilter(chooser, "Bitmap Files", "*.bmp");
    AddFilter(chooser, "All Files", "*");
    if (g_lastFolder.empty())
        g_lastFolder = TheShell().startupDirectory;
    if (!g_lastFolder.empty())
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(chooser), g_lastFolder.c_str());
    std::string path;
    if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser))) {
            path = chosen;
            g_free(chosen);
        }
        if (gchar* folder = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(chooser))) {
            g_lastFolder = folder;
            g_free(folder);
        }
    }
    gtk_widget_destroy(chooser);
    if (!path.empty() && !HasExtension(path)) {
        path += ".bmp";
        if (!MayReplace(owner, path))
            path.clear();
    }
    return path;
}

// The Windows text breaks lines with CR LF; GTK wants LF alone.
std::string WithPlainNewlines(std::string text)
{
    for (std::string::size_type at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    return text;
}

void TellSaveFailed(GtkWindow* owner, const std::string& path, const char* reason)
{
    const std::string text = WithPlainNewlines(SaveFailureText(path, reason));
    GtkWidget* box =
        gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(box), kSaveFailureTitle);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
}

}  // namespace

void SaveCanvasAsBmp()
{
    GtkWindow* owner = GTK_WINDOW(TheShell().window);
    const std::string path = ChooseBitmapFile(owner);
    if (path.empty())
        return;
    cairo_surface_t* surface = TheCairoCanvas().surface;
    if (!surface) {
        TellSaveFailed(owner, path, kNoPictureReason);
        return;
    }
    // An RGB24 image surface holds top-down rows of blue, green, red and an
    // unused byte: the encoder's own layout, with rows exactly 4 x width
    // bytes apart.
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (cairo_image_surface_get_stride(surface) != 4 * width) {
        TellSaveFailed(owner, path, kNoPictureReason);
        return;
    }
    // The file takes a few megabytes; running short of memory is told like
    // any other failure, and no exception reaches GTK's C code.
    FileError error = FileError::None;
    try {
        error = WriteBmpFile(PosixFileOps(), path, cairo_image_surface_get_data(surface), width, height);
    } catch (const std::bad_alloc&) {
        TellSaveFailed(owner, path, kNoPictureReason);
        return;
    }
    if (error != FileError::None)
        TellSaveFailed(owner, path, FileErrorReason(error));
}
