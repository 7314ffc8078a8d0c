// The Win32 shell: its one state, Shell, and the calls between its files.
// All of it lives in namespace w32, so that no shell name hides one of the
// core's (the window's key release goes straight to the core's OnKeyUp).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/key_sound.h"
#include "core/keyboard_guard.h"
#include "core/program.h"

namespace w32 {

constexpr char kWindowClassName[] = "scrivlet";
// The main window is a Unicode window, so that its title and menu show any
// language whatever the system's ANSI code page.
constexpr wchar_t kWindowClassNameW[] = L"scrivlet";
constexpr char kCurtainClassName[] = "scrivlet curtain";
constexpr UINT_PTR kWalkTimer = 1;
constexpr int kChosenPathSize = MAX_PATH;
// The options kept between runs: one binary value under HKEY_LOCAL_MACHINE.
constexpr char kOptionsKeyPath[] = "Software\\Scrivlet\\1.2";
constexpr char kOptionsValueName[] = "Options";

// The window surface, the off-screen canvas bitmap and the long-lived
// drawing tools. Every mark goes to the window first and to the canvas
// second, so a repaint can restore the window from the canvas.
struct Canvas {
    HDC windowSurface = nullptr;
    HDC memorySurface = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ displacedBitmap = nullptr;
    HPEN marginPen = nullptr;
    HPEN nullPen = nullptr;
    HBRUSH backgroundBrush = nullptr;
    CanvasBounds bounds;
    // Tools of one mark, kept until the next mark of their kind replaces them.
    HPEN segmentPen = nullptr;
    HGDIOBJ segmentPenDisplaced = nullptr;
    HBRUSH stampBrush = nullptr;
    HGDIOBJ stampBrushDisplaced = nullptr;
};

struct Confinement {
    // Activating a minimised program (from the taskbar, or with Alt+Tab)
    // reaches the window before it is restored. Its client area is then empty
    // and far off screen, and a clip to it would pin the pointer in a corner.
    bool waitsForWindow = false;
    // The clip as the system keeps it: the client area cut to the screen.
    RECT clip{};
};

struct ResolvedKeySound {
    std::string text;   // the sound file option this was resolved for
    KeySoundPlan plan = KeySoundPlan::silent;
    std::string path;   // the file that was found, empty when none
    bool playable = false;  // it holds samples this program can keep
};

// The samples of the resolved text, and the output device they are kept on.
struct KeptSound {
    std::vector<uint8_t> bytes;
    std::optional<WaveSound> wave;  // what the bytes parsed to
    bool found = false;             // some source could be opened
    HWAVEOUT device = nullptr;
    WAVEHDR header{};
};

struct KeySound {
    ResolvedKeySound resolved;
    bool isResolved = false;
    // Whether the plan has been decided against the output devices. Asking
    // for them loads the whole audio stack (about 5 MB under Wine), so that
    // waits for the first key.
    bool isDecided = false;
    KeptSound kept;
    // Set while one of our resets hands buffers back; read by the device's
    // callback on a thread of the system's.
    std::atomic<bool> resetting{false};
};

struct HelpViewer {
    HMODULE module = nullptr;
    // HtmlHelpA, exported by the viewer under ordinal 14.
    HWND(WINAPI* entry)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) = nullptr;
    bool loadFailed = false;  // one failed load is not tried again
    int loads = 0;
};

// One accessibility feature's settings as the parent had them, while the
// toy's are in force.
template <typename Settings>
struct SavedSettings {
    Settings original{};
    bool changed = false;
};

struct Kidproofing {
    // The platform calls made here; tests swap in recorders. Under Wine the
    // accessibility settings are not kept.
    BOOL(WINAPI* systemParameters)(UINT action, UINT param, PVOID data, UINT winIni) = SystemParametersInfoA;
    EXECUTION_STATE(WINAPI* executionState)(EXECUTION_STATE state) = SetThreadExecutionState;
    SavedSettings<STICKYKEYS> stickyKeys;
    SavedSettings<FILTERKEYS> filterKeys;
    SavedSettings<TOGGLEKEYS> toggleKeys;
    HANDLE instanceMutex = nullptr;  // held by the running toy for its whole run
    HHOOK keyboardGuard = nullptr;
    KeyboardGuardState keyboardGuardState;
};

// Messages of newer systems than the SDK's default may name, spelt out, so
// that the window answers them whatever the headers define.
constexpr UINT kTouchMessage = 0x0240;                    // WM_TOUCH, Windows 7
constexpr UINT kPointerUpdate = 0x0245;                   // WM_POINTERUPDATE, Windows 8
constexpr UINT kPointerDown = 0x0246;                     // WM_POINTERDOWN
constexpr UINT kPointerUp = 0x0247;                       // WM_POINTERUP
constexpr UINT kPointerActivate = 0x024B;                 // WM_POINTERACTIVATE
constexpr UINT kPointerCaptureChanged = 0x024C;           // WM_POINTERCAPTURECHANGED
constexpr UINT kTabletQuerySystemGestureStatus = 0x02CC;  // WM_TABLET_QUERYSYSTEMGESTURESTATUS

// Fingers, and the calls for them that only newer systems have: found at
// run time, so that the exe imports nothing new and still starts on Windows
// 7. Tests swap in stand-ins for the touch message's reader.
struct Touch {
    LPARAM(WINAPI* messageExtraInfo)() = nullptr;  // GetMessageExtraInfo
    // Windows 7's touch message, read only where the pointer messages are missing.
    BOOL(WINAPI* getTouchInputInfo)(HTOUCHINPUT input, UINT count, PTOUCHINPUT inputs, int size) = nullptr;
    BOOL(WINAPI* closeTouchInputHandle)(HTOUCHINPUT input) = nullptr;
    // Its contacts are in the physical screen's pixels; Windows 7 scales a
    // program that does not know the screen's DPI (150 % and more), whose
    // pixels are then logical ones.
    BOOL(WINAPI* physicalToLogicalPoint)(HWND window, LPPOINT point) = nullptr;
    // shell32, kept loaded while the window's edge-swipe setting is ours to
    // give back.
    HMODULE shell = nullptr;
};

struct Shell {
    HWND window = nullptr;
    // Where the resources are, and the language of the copy the toy shows
    // (the menu, the options dialog and the string table alike).
    HINSTANCE resources = nullptr;
    LANGID language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    // The directory that was current at start-up, where the help is looked
    // for; empty when it did not fit into MAX_PATH bytes.
    char startupDirectory[MAX_PATH] = "";
    Canvas canvas;
    Confinement pointer;
    KeySound sound;
    HelpViewer help;
    Kidproofing kidproof;
    Touch touch;
    // The curtains over the other monitors, shown or not.
    std::vector<HWND> curtains;
};

// The process's one shell.
Shell& TheShell();

// The language (language_win.cpp).
// Chooses the language of the user's Windows UI (English where the
// resources lack it) for the core's texts and the resources alike.
void SpeakUserLanguage(HINSTANCE instance);
// The same for `catalogue` (a catalogue language, "" for English) chosen
// from `uiLanguage`; tests go through every language with it.
void SpeakLanguage(HINSTANCE instance, const std::string& catalogue, LANGID uiLanguage);
// The menu bar and a dialog template in the chosen language.
HMENU LoadMenuInLanguage();
const DLGTEMPLATE* DialogInLanguage(int id);
// String `id` of `language`'s string table; empty when there is none.
std::wstring StringOf(HINSTANCE instance, LANGID language, int id);
// UTF-8 to UTF-16 and back. Bytes that are not UTF-8 (a stored ANSI path
// inside a message) are read in the ANSI code page.
std::wstring Wide(const std::string& text);
// A message box over `owner` with the core's UTF-8 title and text.
void ShowMessageOver(HWND owner, const std::string& title, const std::string& text);
std::string Utf8(const std::wstring& text);

// Start-up and the main window (shell_win.cpp, main_window.cpp).
// The whole program: start-up, message loop, shutdown. Returns 0.
int RunApplication(HINSTANCE instance);
void RememberStartupDirectory();
// Registers the "scrivlet" window class with its icon, cursor and menu.
bool RegisterMainWindowClass(HINSTANCE instance);
// Reads the options, creates the window, shows it maximised, makes the
// canvas and hands the core its size.
HWND OpenMainWindow(HINSTANCE instance);
// The core's table of Win32 operations on `window`, which becomes the
// shell's window.
void UseWin32Platform(HWND window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The canvas (canvas_win.cpp, bmp_export_win.cpp).
// Takes the window surface and makes the canvas at the client size. Once.
void CreateCanvas(HWND window);
// Copies `rect` of the canvas to the same place on `target`; parts of the
// rectangle beyond the canvas are painted in the background colour.
void RepaintFromCanvas(HDC target, const RECT& rect);
// Blackens the window's current client area on the window and the canvas.
void ClearCanvas();
// Gives the window surface back; called when the window is destroyed.
void ReleaseWindowSurface();
// A segment decided by the stroke engine, on both surfaces.
void PaintSegment(const Segment& segment);
// A blossom (and its black copy, when it has a margin), on both surfaces.
void PaintBlossom(const Blossom& blossom);
// The bytes of a BMP file of the whole of `canvas` at its start-up size, the
// rows read straight from its bitmap; empty when the pixels cannot be had.
// The bitmap is selected back into the memory DC before this returns.
std::vector<uint8_t> ReadCanvasAsBmp(const Canvas& canvas);

// The curtains (curtains_win.cpp): made, destroyed, put at a screen
// rectangle and hidden as the core asks.
bool AddCurtain();
void RemoveCurtain();
void PlaceCurtain(size_t index, const Box& box);
void HideCurtain(size_t index);
// The toy's window made the active one again, or its dialog while one is
// open.
void ActivateToy();
// Tells the core the monitors and where the main window is on them.
void TellMonitors(HWND window);

// Touch (touch_win.cpp).
// Finds the touch calls this system has; on Windows 7 asks for the touch
// message; and switches off, for the window, the system's press and hold,
// its marks under fingers and pens, and (full screen) its edge swipes.
void PrepareTouch(HWND window);
// Gives the edge-swipe setting back; before the window goes.
void ForgetTouch(HWND window);
// What the mouse message `message` is when Windows made it from a finger:
// its extra information carries the touch signature.
std::optional<MouseFromTouch> MouseMessageFromTouch(UINT message);
// A pointer message: a finger landed, moved or lifted, or lost its capture.
void OnPointerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Windows 7's touch message: every contact it reports. False when it could
// not be read, and the system's default handling must have it.
bool OnTouchMessage(HWND window, WPARAM wParam, LPARAM lParam);
// The answer to the tablet's question which of its gestures the window
// takes: none of them.
LRESULT SystemGesturesOff();

// Pointer confinement (confine_win.cpp).
// Clips the pointer to the window's client area as it is now; true when the
// system holds that clip. A minimised window has no client area to hold the
// pointer in: then the clip waits until the window is shown again, which
// counts as held.
bool ClipPointerToClient();
// True while the clip last made is the one in force (or still waits).
bool PointerClipInForce();
// Frees the pointer; drops a clip that was waiting.
void FreePointer();
// The window has been restored or maximised: applies a clip that was waiting.
void PointerWindowShown();

// Files (file_chooser_win.cpp, file_ops_win.cpp, options_store_win.cpp).
// Puts up the Open dialog or the Save As dialog, as the question asks, over
// `owner`. `result` holds kChosenPathSize bytes; it is emptied first, so the
// dialog starts with an empty name, and receives the chosen full path. The
// Save As dialog starts in the current folder. Nonzero when a file was
// chosen, 0 when the dialog was cancelled or failed.
// The chooser's title and kinds are in the toy's language, and the chosen
// name is handed back as the ANSI text it is stored as (StoredPathOf); a
// name that has no such text counts as nothing chosen.
BOOL AskForFile(HWND owner, const FileQuestion& question, char* result);
// A chosen name as ANSI text that names the same file: the name itself, or
// the 8.3 short name of the file (or, for a file still to be written, of its
// folder); nothing when there is none.
std::optional<std::string> StoredPathOf(const std::wstring& chosen, bool forSaving);
// The file operations the core's atomic writer is handed.
const FileOps& Win32FileOps();
// The text of the default value of registry key `path`, with environment
// variables expanded in a REG_EXPAND_SZ value if `expand`; empty when there
// is none.
std::string RegistryText(HKEY root, const char* path, bool expand);
// Creates or opens the options key and sets value `name`, then flushes the
// key. 0 on success, 1 on failure.
int WriteRegistryValue(const char* name, const void* data, DWORD size, DWORD type);
// Reads the stored record over `record` (which holds the defaults). A value
// that does not fit changes nothing. 0 when a value was used, else 1.
int LoadOptions(OptionsRecord& record);
// Stores the 284-byte record. 0 on success, 1 on failure.
int SaveOptions(const OptionsRecord& record);

// The options dialog (options_dialog_win.cpp): shown over `owner`, loaded
// from the module that made `owner`; returns when it closes. OK writes the
// boxes and the field into `live`; a sound file chosen with "..." goes into
// `live` at once, whatever closes the dialog.
void RunOptionsDialog(HWND owner, OptionsRecord& live);
// The dialog procedure; `lParam` of WM_INITDIALOG is the live record.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Help (help_win.cpp): the compiled help file, scrivlet.chm, looked for in
// the start-up directory.
// Shows `topic` ("scrivlet.htm#Options"); does nothing where the help viewer
// or the file cannot be had.
void ShowHelpTopic(const char* topic);
// Calls HtmlHelpA, loading the viewer on first use. Returns the viewer's
// result, or nullptr when it is not available.
HWND CallHelpViewer(HWND owner, const char* file, UINT command, DWORD_PTR data);

// The key sound (key_sound_win.cpp): each text is resolved once, its samples
// kept on an output device opened once, and every key release restarts them
// there. Under Wine a PlaySoundA call starts a thread every time, about 6 ms
// of CPU a key; a restart on a device kept open costs a tenth of that.
// Plays the key sound for `soundFile`, from its start.
void PlayKeySound(const std::string& soundFile);
// Looks up what `soundFile` names and keeps its samples, unless it is the
// text looked up last, without asking for the output devices: start-up calls
// it, and the audio stack is loaded only when the first key wants a sound.
void LookUpKeySound(const std::string& soundFile);
// Resolves `soundFile` unless it is the text resolved last, and says how it
// is played; the first call after a lookup asks for the output devices and
// opens one. Tests call it to see the decision.
const ResolvedKeySound& PrepareKeySound(const std::string& soundFile);
// A buffer came back from the device (MM_WOM_DONE). When the sound played to
// its end, the device is closed, and the next key opens it again: under Wine
// an output stream that has once been started keeps its audio threads waking
// a hundred times a second, a few percent of a core, until it is closed. A
// buffer handed back by a restart is already queued again and is left alone.
void OnKeySoundDone();
// Stops the sound and gives back the device; the next key opens it again.
void CloseKeySound();

// Kid-proofing (keyboard_guard_win.cpp, kidproof_win.cpp).
// Where the platform has low-level keyboard hooks, installs a system-wide one
// that swallows both Windows-logo keys and Ctrl+Esc while the toy runs, so a
// child cannot open the Start menu over the drawing. Before the window exists.
void InstallKeyboardGuard(HINSTANCE instance);
void RemoveKeyboardGuard();
// Switches off the Sticky, Filter and Toggle Keys hotkeys where the feature
// itself is off. The parent's settings are kept in memory only, and the
// change is not written to the user profile, so a crash leaves nothing
// changed past the next logon.
void SwitchOffAccessibilityHotkeys();
// Keeps the display from dimming or sleeping, or drops that request.
void KeepDisplayAwake(bool awake);
// Everything the toy changed in the system, undone: at exit and when the
// session ends.
void UndoKidproofing();
// True when another scrivlet is running: its window is brought to the front.
// Otherwise this process becomes the running one for the rest of its life.
bool AnotherInstanceRuns();

}  // namespace w32
