// Entry point of the native program `scrivlet`: options, window, loop, and
// on the way out the options stored again and every grab given back.
// Arguments are ignored, as the Windows program ignores its command line.
#include <atk-bridge.h>
#include <glib-unix.h>
#include <signal.h>

#include <cstdio>

#include "gtk/file_ops_posix.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

// A session that ends (logging out sends SIGTERM or SIGHUP) or Ctrl+C in a
// terminal ends the loop as File > Exit does, so the options of the run are
// stored and the keyboard let go. An open dialog (options, file chooser,
// message) runs a loop of its own inside the main one: each is answered as
// if closed with its close box, which cancels what it was about, so that
// the loops unwind down to the main one.
gboolean OnEndSignal(gpointer)
{
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        if (GTK_IS_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data)))
            gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_DELETE_EVENT);
    }
    g_list_free(windows);
    gtk_main_quit();
    return G_SOURCE_CONTINUE;
}

void UseGtkPlatform()
{
    Platform& platform = TheProgram().platform;
    UseWindowEntries(platform);
    UseKidproofEntries(platform);
    UseCurtainEntries(platform);
    UseDialogEntries(platform);
    platform.playKeySound = PlayKeySound;
    platform.files = &PosixFileOps();
    platform.loadOptions = LoadStoredOptions;
    platform.saveOptions = SaveStoredOptions;
}

// GTK's accessibility bridge registers the program on the desktop's
// accessibility bus: D-Bus round trips (without a session bus, an attempt
// to launch one) that need not hold back the window. GTK is told not to
// start it; it starts once the window has been mapped and painted, unless
// the session itself turned it off.
gboolean StartAccessibilityBridge(gpointer)
{
    g_unsetenv("NO_AT_BRIDGE");
    atk_bridge_adaptor_init(nullptr, nullptr);
    return G_SOURCE_REMOVE;
}

gboolean OnWindowMapped(GtkWidget*, GdkEvent*, gpointer)
{
    if (TheShell().bridgeWanted) {
        TheShell().bridgeWanted = false;
        g_idle_add(StartAccessibilityBridge, nullptr);
    }
    return FALSE;
}

}  // namespace gtk3

using namespace gtk3;

int main(int argc, char** argv)
{
    // The toy paints with cairo on an image surface and never uses OpenGL;
    // GDK's probe for it would load Mesa (with LLVM, about 50 MB resident).
    g_setenv("GDK_GL", "disable", FALSE);
    TheShell().bridgeWanted = !g_getenv("NO_AT_BRIDGE");
    if (TheShell().bridgeWanted)
        g_setenv("NO_AT_BRIDGE", "1", TRUE);
    g_set_prgname(kProgramName);
    gdk_set_program_class(kProgramName);
    if (!gtk_init_check(&argc, &argv)) {
        const char* display = g_getenv("DISPLAY");
        std::fprintf(stderr, "scrivlet: cannot open the display \"%s\"\n", display ? display : "");
        return 1;
    }

    SpeakUsersLanguage();
    Program& program = TheProgram();
    UseGtkPlatform();
    StartProgram(program);
    for (int signalNumber : {SIGTERM, SIGHUP, SIGINT})
        g_unix_signal_add(signalNumber, OnEndSignal, nullptr);
    OpenMainWindow();
    g_signal_connect(TheShell().window, "map-event", G_CALLBACK(OnWindowMapped), nullptr);
    gtk_main();

    StopProgram(program);
    return 0;
}
