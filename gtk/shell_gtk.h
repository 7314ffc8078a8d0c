// The native (GTK 3) shell: the process-wide toy, the main window and its
// parts, and the calls between the shell's files. Decisions stay in the core;
// these files translate GTK's events into its calls and paint the results.
#pragma once

#include <string>

#include <gtk/gtk.h>

#include "core/pointer_confinement.h"
#include "core/toy.h"

constexpr char kProgramName[] = "scrivlet";
constexpr guint kWalkTimerPeriod = 100;

struct Shell {
    GtkWidget* window = nullptr;
    GtkWidget* menuBar = nullptr;
    GtkWidget* area = nullptr;
    bool canvasReady = false;
    std::string startupDirectory;
};

Shell& TheShell();
Toy& TheToy();

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

// Starts the timer of the walk and the focus looks, or sets its period
// anew after the options change (auto draw on or off).
void KeepTickTimer();

// The menu bar with its popups and commands.
GtkWidget* MakeMenuBar();

// Opens the menu-bar popup whose title starts with the letter of `keyval`;
// false when none does.
bool OpenPopupForLetter(guint keyval);

// The drawing area's current size: the client area of the Windows program.
void ClientSize(int& width, int& height);

// Kid-proofing while the window is active: the keyboard grab, and the
// pointer confined to the drawing area when the option is on.
void HoldKeyboard();
bool KeyboardHeld();
void ReleaseKeyboard();
void ConfinePointer();
void ReleasePointer();
// Lets the pointer go without changing the title (a menu is opening).
void ReleasePointerGrab();
// While the toy holds the keyboard, GTK does not hear that the window
// manager gave the focus to another program: this looks (X11), lets go when
// it has, and takes hold again when the focus comes back.
void FollowKeyboardFocus();
// Looks at the focus whenever the window manager announces another active
// window (X11, a manager that keeps _NET_ACTIVE_WINDOW). True when it will;
// otherwise the caller has to look often.
bool WatchActiveWindow();
// Confines, frees or leaves the pointer as the moment and the option ask
// (the same table as the Windows program's), setting the title with it.
void ApplyPointerMoment(PointerMoment moment);

// A key on the toy's window: the canvas's (a blossom and the key sound on
// release), unless a menu or dialog of ours holds the input or it is a key
// the Windows program gets as a system key (Alt, F10, anything with Alt
// held) or never (the Windows-logo keys). False when GTK should have it.
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

// Plays the key sound (a file, or the desktop's default event sound).
void PlayKeySound(const std::string& soundFile);
