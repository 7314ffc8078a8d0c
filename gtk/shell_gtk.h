// The native (GTK 3) shell: the main window and its parts, and the calls
// between the shell's files. Decisions stay in the core; these files decode
// GTK's events into its calls and carry out the platform operations it asks
// for.
#pragma once

#include <string>

#include <gtk/gtk.h>

#include "core/program.h"

constexpr char kProgramName[] = "scrivlet";
// The X11 class name of the curtains over the other monitors.
constexpr char kCurtainClassName[] = "scrivlet-curtain";

struct Shell {
    GtkWidget* window = nullptr;
    GtkWidget* menuBar = nullptr;
    GtkWidget* area = nullptr;
};

Shell& TheShell();

// The core's table of GTK operations. Filled once the display is open.
void UseGtkPlatform();

// Builds the window with its menus and shows it maximised; the canvas is
// made once the window manager has maximised it.
void OpenMainWindow();

// Paints the canvas inside `box` (canvas coordinates) straight onto the
// drawing area's window; false where that cannot be done (not X11, not
// shown), and the caller asks GTK to redraw instead.
bool PaintOntoWindowNow(const Box& box);

// Memory for a width x height canvas that the X server shares (MIT-SHM), so
// that a mark reaches the window without its pixels being sent; null where
// it cannot be shared (not X11, a remote display, another pixel layout).
unsigned char* SharedCanvasPixels(int width, int height);

// The timer of the walk and the focus looks, at `milliseconds`.
void SetTickPeriod(unsigned milliseconds);

// The menu bar with its popups and commands.
GtkWidget* MakeMenuBar();

// Opens the menu-bar popup whose title starts with the letter of `keyval`;
// false when none does.
bool OpenPopupForLetter(guint keyval);

// The drawing area's current size: the client area of the Windows program.
void ClientSize(int& width, int& height);

// Kid-proofing while the window is active: the keyboard grab, and the
// pointer confined to the drawing area (false where it could not be).
void HoldKeyboard(bool hold);
bool KeyboardHeld();
bool ConfinePointer();
void FreePointer();
// The same on Wayland, through the compositor (a GDK built with Wayland):
// false where the compositor offers no confinement or the seat no pointer.
bool OnWayland();
bool ConfineWaylandPointer(GdkWindow* area);
void FreeWaylandPointer();
void SetTitle(const char* title);
// While the toy holds the keyboard, GTK does not hear that the window
// manager gave the focus to another program: this looks (X11), lets go when
// it has, and takes hold again when the focus comes back.
void FollowKeyboardFocus();
// Looks at the focus whenever the window manager announces another active
// window (X11, a manager that keeps _NET_ACTIVE_WINDOW). True when it will;
// otherwise the caller has to look often.
bool WatchActiveWindow();

// A key on the toy's window: the canvas's (a blossom and the key sound on
// release), unless a menu or dialog of ours holds the input or it is a key
// that never stamps (see KeyStamps). False when GTK should have it.
bool TakeCanvasKey(guint keyval, guint state, bool release);
// The same rule without the key's effect: true when a key is the canvas's.
bool IsCanvasKey(guint keyval, guint state);
// The blossom of a canvas key's release, and its sound; false when it could
// not be painted straight onto the window and GTK was asked to redraw it.
bool StampForKey();
// On X11, takes the canvas's keys from the X events themselves, before GDK
// makes events of them, and from Xlib's queue in the main loop's wait as
// soon as they are read.
void TakeCanvasKeysFromX();
// Reads the X connection at most once a short frame while the pointer moves
// (after the window is shown); MotionDrawn starts such a frame.
void PaceMotionReading(GtkWidget* window, GtkWidget* area);
void MotionDrawn();

// The curtains over the other monitors: shown at the core's rectangles
// (on Wayland, each fullscreen on the monitor of its rectangle), hidden,
// and the toy activated again after a click on one.
void ShowCurtains(const std::vector<Box>& curtains);
void HideCurtains();
void ActivateToy();
// gtk_dialog_run for the toy's own dialogs, which keep the curtains up
// while they are active.
int RunToyDialog(GtkDialog* dialog);
// True where a window can be put on a chosen monitor (X11, Wayland).
bool CurtainsCanBePlaced();
// True while the toy's window, or a curtain of its, is the active window.
bool ToyIsActive();
// Tells the core whether the toy is active, once a focus moving to or from
// a curtain has settled.
void TellActivation();
// Tells the core the monitors and the toy's window on them; with
// FollowMonitors, again whenever either changes.
void TellMonitors();
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
