// The Win32 shell: the main window, its procedure, the start-up sequence
// and the table of platform operations it hands the core. Tests build the
// same window through these calls.
#pragma once

#include <windows.h>

#include "core/program.h"

constexpr char kWindowClassName[] = "scrivlet";
constexpr UINT_PTR kWalkTimer = 1;

// The directory that was current at start-up; empty when it did not fit
// into MAX_PATH bytes.
const char* StartupDirectory();
void RememberStartupDirectory();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the "scrivlet" window class with its icon, cursor and menu.
bool RegisterMainWindowClass(HINSTANCE instance);

// Reads the options, creates the window, shows it maximised, makes the
// canvas and hands the core its size.
HWND OpenMainWindow(HINSTANCE instance);

// The defaults, then the stored options over them, then the pointer
// confined or freed by them.
void LoadStartupOptions(HWND window);

// The whole program: start-up, message loop, shutdown. Returns 0.
int RunApplication(HINSTANCE instance);

// The core's table of Win32 operations on `window`.
void UseWin32Platform(HWND window);

// Plays the key sound; tests swap in their own to see the calls.
using SoundPlayer = void (*)(const char* soundFile);
void SetSoundPlayer(SoundPlayer player);

// Message boxes break lines at "\r\n"; the core writes "\n".
std::string WindowsLineEnds(const std::string& text);
