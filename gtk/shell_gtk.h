// The native (GTK 3) shell: its state, and the calls between its files.
// Decisions stay in the core; these files decode GTK's signals into its
// calls and carry out the platform operations it asks for.
#pragma once

#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "core/program.h"
#include "gtk/canvas_gtk.h"

struct CanberraCalls;
struct ca_context;
struct zwp_pointer_constraints_v1;
struct zwp_confined_pointer_v1;

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
    // The X window a blossom was last put on, and the graphics context
    // made for it.
    unsigned long putTarget = 0;
    void* putGc = nullptr;
    // The next Save chooser opens where the last one ended.
    std::string lastFolder;
    // The accessibility bridge waits for the window's first frame.
    bool bridgeWanted = false;
};

GtkShell& TheShell();

// The core's table entries that the main window carries out: its marks, its
// timer, closing it.
void UseWindowEntries(Platform& platform);
// Builds the window with its menus and shows it maximised; the canvas is
// made once the window manager has maximised it.
void OpenMainWindow();
// The drawing area's current size: the client area of the Windows program.
void ClientSize(int& width, int& height);
// The timer of the walk and the focus looks, at `milliseconds`.
void SetTickPeriod(unsigned milliseconds);
void CloseMainWindow();
// A key on the toy's window or on a curtain: the core's, unless it leaves
// it to GTK.
gboolean OnKeyEvent(GtkWidget* widget, GdkEventKey* event, gpointer);

// Puts the canvas inside `box` straight onto the drawing area's X window;
// false where that cannot be done (not X11, not shown, another pixel
// layout), and GTK is to redraw the box instead.
bool PutCanvasOnX11Window(const Box& box);

// The menu bar with its popups and commands.
GtkWidget* MakeMenuBar();
// Opens the menu-bar popup whose title starts with the letter of `keyval`;
// false when none does.
bool OpenPopupForLetter(guint keyval);

// Kid-proofing while the toy is active: the keyboard grab, and the pointer
// confined to the drawing area (false where either could not be had).
bool HoldKeyboard(bool hold);
bool ConfinePointer();
void FreePointer();
// The compositor's confinement (a GDK built with Wayland): false where the
// compositor offers none or the seat has no pointer.
bool ConfineWaylandPointer(GdkWindow* area);
void FreeWaylandPointer();
void SetTitle(const char* title);
// Tells the core which of the toy's windows has the focus now, as GTK sees
// it; and, on X11, as the X server does (GTK does not hear of a focus that
// moves while the toy holds the keyboard).
void TellFocus();
void LookAtX11Focus();
// Looks at the focus whenever the window manager announces another active
// window (X11, a manager that keeps _NET_ACTIVE_WINDOW). True when it will;
// otherwise the tick looks.
bool WatchActiveWindow();
// gtk_dialog_run for the toy's own dialogs, whose focus the core follows.
int RunToyDialog(GtkDialog* dialog);
// The core's wake-up once a focus that left the toy's windows has settled.
void WakeAfter(unsigned milliseconds);

// The curtains over the other monitors, made, destroyed, put at the core's
// rectangles (on Wayland, each fullscreen on the monitor of its rectangle)
// and hidden as the core asks; the toy activated again after a click on
// one.
bool AddCurtain();
void RemoveCurtain();
void PlaceCurtain(size_t index, const Box& box);
void HideCurtain(size_t index);
void ActivateToy();
// True where a window can be put on a chosen monitor (X11, Wayland).
bool CurtainsCanBePlaced();
// Tells the core the monitors and the toy's window on them, and again
// whenever either changes.
void FollowMonitors();

// Platform operations carried out with GTK, for the table.
void PlayKeySound(const std::string& soundFile);
void ShowHelpTopic(const char* topic);
void RunOptionsDialog(OptionsRecord& live);
void ShowMessage(MessageKind kind, const char* title, const std::string& text);
// The chooser over `owner`: the chosen path, with the question's default
// extension added to a name without one; empty when the parent cancelled.
std::string AskForFile(GtkWindow* owner, const FileQuestion& question);
std::string AskForFileOverWindow(const FileQuestion& question);
// The cairo canvas as a BMP file's bytes.
std::vector<uint8_t> CanvasAsBmp();
