// The native (GTK 3) shell: its state, and the calls between its files.
// Decisions stay in the core; these files decode GTK's signals into its
// calls and carry out the platform operations it asks for.
#pragma once

#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "core/program.h"
#include "core/stamp.h"
#include "core/stroke.h"

struct ca_context;
struct zwp_pointer_constraints_v1;
struct zwp_confined_pointer_v1;

// The shell's own names, kept apart from the core's.
namespace gtk3 {

struct CanberraCalls;

// The canvas: an image surface at the drawing area's start-up size on which
// the core's marks are painted with antialiasing off, so every pixel has
// exactly the colour the core chose.
struct CairoCanvas {
    cairo_surface_t* surface = nullptr;
    CanvasBounds bounds;
};

// Makes the shell's black canvas of width x height. Once; false when cairo
// cannot.
bool CreateCairoCanvas(int width, int height);

// Paint a segment over its black margin line, or a blossom over its black
// copy, when it has one; return the area of the canvas that changed, for
// the window to redraw.
Box PaintSegmentOnCanvas(const Segment& segment);
Box PaintBlossomOnCanvas(const Blossom& blossom);
// Blackens the canvas under a client area of width x height.
void ClearCairoCanvas(int width, int height);

// The drawing area's draw handler: the canvas copied onto `target` (whose
// origin is the canvas's top-left corner) inside GTK's clip, and black
// beyond the canvas.
gboolean DrawCanvas(GtkWidget*, cairo_t* target, gpointer);

// The options record in the user's configuration folder: read over the
// defaults at start-up, written back atomically at exit. The file of this
// user, from XDG_CONFIG_HOME and HOME:
std::string UserOptionsFile();
// Reads `path` over `record`: a shorter file replaces the start of the
// record, as the registry value does on Windows. False, with the record
// untouched, when there is no file, it cannot be read or it is longer than
// the record.
bool LoadOptionsFile(const std::string& path, OptionsRecord& record);

// Writes the record to a temporary file beside `path` and moves it into
// place, making the folder first if needed. On failure the old
// file stays as it was, no temporary file is left, and false is returned.
bool SaveOptionsFile(const std::string& path, const OptionsRecord& record);

// The two above on the user's options file.
bool LoadStoredOptions(OptionsRecord& record);
bool SaveStoredOptions(const OptionsRecord& record);

constexpr char kProgramName[] = "scrivlet";
// The X11 class name of the curtains over the other monitors.
constexpr char kCurtainClassName[] = "scrivlet-curtain";

// Everything the shell keeps between GTK's calls. X11 handles are kept as
// the integers they are, so that this header needs no Xlib.
struct GtkShell {
    GtkWidget* window = nullptr;
    GtkWidget* menuBar = nullptr;
    GtkWidget* area = nullptr;
    std::vector<GtkWidget*> curtains;
    CairoCanvas canvas;

    guint tickTimer = 0;
    guint tickPeriod = 0;
    unsigned ticks = 0;
    guint settleTimer = 0;
    guint canvasTimer = 0;

    bool keyboardHeld = false;
    bool pointerHeld = false;
    // X11: the input-only window over the drawing area that holds the
    // pointer.
    unsigned long confineWindow = 0;
    // X11: where the keyboard focus was at the last look, and the atom of
    // the window manager's active window (0 where it keeps none).
    unsigned long lastFocus = 0;
    unsigned long activeWindowAtom = 0;
    // Wayland: the compositor's pointer constraints (looked for once) and
    // the confinement in force.
    bool lookedForConstraints = false;
    zwp_pointer_constraints_v1* constraints = nullptr;
    zwp_confined_pointer_v1* confinement = nullptr;

    // The key sound: libcanberra's calls once loaded, its context, whether
    // sound is to be had at all, and the file last found for an options
    // text.
    const CanberraCalls* canberra = nullptr;
    ca_context* soundContext = nullptr;
    bool soundUnavailable = false;
    std::string soundText;
    std::string soundFile;
    // The next Save chooser opens where the last one ended.
    std::string lastFolder;
    // The accessibility bridge waits for the window's first frame.
    bool bridgeWanted = false;
};

GtkShell& TheShell();

// The core's texts from now on in the user's language (English when it has
// no catalogue), with numbers kept in C's form.
void SpeakUsersLanguage();
// A menu text with GTK's '_' for the resource script's '&' mnemonic mark.
std::string GtkMnemonic(const std::string& text);

// Each part of the shell fills in the core's table entries it carries out:
// the main window its marks, timer and closing; kid-proofing the grabs, the
// title and the focus; the curtains; the dialogs and the help.
void UseWindowEntries(Platform& platform);
void UseKidproofEntries(Platform& platform);
void UseCurtainEntries(Platform& platform);
void UseDialogEntries(Platform& platform);

// Builds the window with its menus and shows it maximised; the canvas is
// made once the window manager has maximised it.
void OpenMainWindow();
void CloseMainWindow();
// The drawing area's current size: the client area of the Windows program.
void ClientSize(int& width, int& height);
// A key on the toy's window or on a curtain: the core's, unless it leaves
// it to GTK.
gboolean OnKeyEvent(GtkWidget* widget, GdkEventKey* event, gpointer);

// The menu bar with its popups and commands, and the popup whose title
// starts with the letter of `keyval` opened (false when none does).
GtkWidget* MakeMenuBar();
bool OpenPopupForLetter(guint keyval);

// Tells the core which of the toy's windows has the focus now, as GTK sees
// it; and, on X11, as the X server does (GTK does not hear of a focus that
// moves while the toy holds the keyboard).
void TellFocus();
void OnActiveChanged(GObject*, GParamSpec*, gpointer);
void LookAtX11Focus();
// Looks at the focus whenever the window manager announces another active
// window (X11, a manager that keeps _NET_ACTIVE_WINDOW). True when it will;
// otherwise the tick looks.
bool WatchActiveWindow();
// gtk_dialog_run for the toy's own dialogs, whose focus the core follows.
int RunToyDialog(GtkDialog* dialog);
// The compositor's confinement (a GDK built with Wayland): false where the
// compositor offers none or the seat has no pointer.
bool ConfineWaylandPointer(GdkWindow* area);
void FreeWaylandPointer();
// Tells the core the monitors and the toy's window on them, and again
// whenever either changes.
void FollowMonitors();

void PlayKeySound(const std::string& soundFile);
void ShowHelpTopic(const char* topic);
void RunOptionsDialog(OptionsRecord& live);
// The chooser over `owner`: the chosen path, with the question's default
// extension added to a name without one; empty when the parent cancelled.
std::string AskForFile(GtkWindow* owner, const FileQuestion& question);

}  // namespace gtk3
