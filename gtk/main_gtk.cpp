// Entry point of the native program `scrivlet`: options, window, loop, and
// on the way out the options stored again and every grab given back.
// Arguments are ignored, as the Windows program ignores its command line.
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "gtk/options_store_gtk.h"
#include "gtk/shell_gtk.h"

int main(int argc, char** argv)
{
    char directory[PATH_MAX] = "";
    if (getcwd(directory, sizeof directory))
        TheShell().startupDirectory = directory;
    g_set_prgname(kProgramName);
    gdk_set_program_class(kProgramName);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "scrivlet: cannot open the display \"%s\"\n", g_getenv("DISPLAY") ? g_getenv("DISPLAY") : "");
        return 1;
    }

    Toy& toy = TheToy();
    ResetOptionsToDefaults(toy.options);
    LoadStoredOptions(toy.options);
    OpenMainWindow();
    gtk_main();

    SaveStoredOptions(toy.options);
    ReleaseKeyboard();
    ApplyPointerMoment(PointerMoment::Shutdown);
    return 0;
}
