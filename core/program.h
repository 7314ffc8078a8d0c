// The program's sequences, told once for both shells: start-up and
// shutdown, every input, every menu command, activation, what follows the
// options dialog, and a save with its failure message. A shell decodes its
// platform's events into these calls and fills in the Platform table
// through which the program acts.
#pragma once

#include <string>
#include <vector>

#include "core/curtains.h"
#include "core/menu_keys.h"
#include "core/platform.h"
#include "core/pointer_confinement.h"
#include "core/toy.h"

// The walk's timer period, in milliseconds.
constexpr unsigned kWalkTickPeriod = 100;
// A keyboard hold the platform refused is asked for again this often.
constexpr unsigned kKeyboardRetryPeriod = 1000;

// Which of the toy's own windows has the keyboard focus, where the platform
// tells its windows apart rather than the program as a whole: none of them
// (another program's window, or nobody's), the main window, a curtain, or a
// dialog the toy opened.
enum class ToySurface { Elsewhere, Window, Curtain, Dialog };

struct Program {
    Toy toy;
    Platform platform;
    bool canvasReady = false;  // no mark is made before the canvas is
    bool active = false;       // the toy is the active program
    bool dialogActive = false; // a dialog of the toy's is, where that is told apart
    // The platform reports every finger itself, so the mouse messages it
    // also makes from fingers are only echoes of them.
    bool fingersReported = false;
    // Where the platform last said the focus is, whether a focus that left
    // the toy's windows waits to settle, the dialogs open now, and whether
    // a menu holds the input.
    ToySurface focus = ToySurface::Elsewhere;
    bool focusSettling = false;
    int dialogsOpen = 0;
    bool menuOpen = false;
    // The keyboard is wanted while the toy is active; a refused hold is
    // asked for again after kKeyboardRetryPeriod.
    bool keyboardHeld = false;
    unsigned keyboardRetryWait = 0;
    // Confinement was asked for, whether the platform holds the pointer
    // now, and whether the hold was made again on the tick after it was
    // made: a hold that failed, was lost or is new is made again each tick.
    bool pointerWanted = false;
    bool pointerHeld = false;
    bool pointerSettled = false;
    // The desktop's monitors and the toy's window, in screen coordinates,
    // and the curtains shown over them now.
    std::vector<Box> monitors;
    Box window;
    std::vector<Box> curtains;
    // The curtain windows the platform has made for the toy, shown or not.
    size_t curtainWindows = 0;
};

// The process's one program, and its toy.
Program& TheProgram();
Toy& TheToy();

// Start-up before the window: the defaults, then the stored options over
// them.
void StartProgram(Program& program);
// The canvas has been made at `bounds`: the walk keeps inside it, the timer
// starts, the pointer is confined as the options ask, the key sound is
// looked up and the display kept awake while auto draw is on.
void CanvasMade(Program& program, CanvasBounds bounds);
// Shutdown: the key sound closed, the options stored, the keyboard and the
// pointer let go.
void StopProgram(Program& program);
// The session is ending and the process may end with no further call: the
// options of this run are stored now.
void SessionEnding(Program& program);

// A move of the pointer to `at` in client coordinates; left of or above the
// client area (captured while a button is held) it lifts the pen.
void OnPointerMove(Program& program, Point at);
enum class MouseButton { Left, Right };
void OnMouseButton(Program& program, MouseButton button, bool down);
// A finger landed on, moved over or lifted from the drawing area, at `at`
// in client coordinates; `id` tells the fingers down at once apart.
void OnTouch(Program& program, TouchPhase phase, uint32_t id, Point at);
// A mouse message the platform made from a finger (Windows marks them with
// the touch signature): one finger's landing, move or lift, or nothing.
void OnMouseFromTouch(Program& program, MouseFromTouch message, Point at);
// A key released over a client area of clientRight x clientBottom: a
// blossom, and the key sound when it is on.
void OnKeyUp(Program& program, int clientRight, int clientBottom);
// A key pressed or released on one of the toy's windows, where the platform
// hands every key to the program first: true when the toy took it (a
// release stamps, a press on a curtain brings the toy back), false when the
// platform's own handling should have it (Alt and the keys that open menus,
// every key while a menu or a dialog of the toy's holds the input).
struct KeyInput {
    KeyKind kind;
    bool altHeld;
    bool release;
    bool onCurtain;
};
bool OnKey(Program& program, const KeyInput& key, int clientRight, int clientBottom);
// A turn of the mouse wheel: one walk step, whatever the mode.
void OnWheel(Program& program);
// A tick of the walk's timer: a walk step while auto draw is on, and the
// pointer held again if a hold that was asked for failed or was lost.
void OnTick(Program& program);

// The toy's window became the active one, or stopped being it.
void OnActivation(Program& program, bool active);
// The keyboard focus moved to `surface`, on a platform that tells the toy's
// windows apart (GTK): the toy is active while its window or a curtain has
// the focus. The focus moves between the toy's windows in steps (it leaves
// one before the next has it), so while more than one of them is up a
// focus that left them all counts only once it has stayed away for the
// platform's focusSettleTime; OnFocusSettled is the platform's wake-up
// after that time.
void OnFocusMoved(Program& program, ToySurface surface);
void OnFocusSettled(Program& program);
// The monitors (the primary first) or the toy's window on them have
// changed: the curtains follow while the toy is active.
void OnMonitorsChanged(Program& program, const std::vector<Box>& monitors, const Box& window);
// The same with the monitors in the platform's order: the primary one, at
// `primary`, goes first and the others keep their order.
void OnMonitorsChanged(Program& program, std::vector<Box> monitors, size_t primary, const Box& window);
// The child's input on a curtain: it draws nothing and lifts the pen, and
// anything but a move makes the toy the active program again. A key
// released over a curtain is the window's OnKeyUp.
void OnCurtainInput(Program& program, CurtainInput input);

// A menu of the window is about to open, or has closed (`active`: the
// window is the active one after it).
void OnMenuOpening(Program& program);
void OnMenuClosed(Program& program, bool active);
// A menu command (IDM_ identifiers).
void OnCommand(Program& program, int command);

// Confines, frees or leaves the pointer as `moment` and the option ask,
// with the title that goes with it.
void ApplyPointerMoment(Program& program, PointerMoment moment);
// The timer period the options ask for on this platform.
unsigned TickPeriod(const Program& program);

// Saves the canvas to `path`; when that fails, tells the parent which file
// and why. True when the file holds the picture.
bool SavePictureTo(Program& program, const std::string& path);
