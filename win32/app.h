// The application shell: the process-wide toy state, the main window and the
// start-up sequence. Tests build the same window through these calls.
#pragma once

#include <windows.h>

#include "core/toy.h"

constexpr char kWindowClassName[] = "scrivlet";
constexpr UINT_PTR kWalkTimer = 1;
constexpr UINT kWalkTimerPeriod = 100;

// The live options, pen, walk and random source of the process.
Toy& TheToy();

// The directory that was current at start-up; empty when it did not fit
// into MAX_PATH bytes.
const char* StartupDirectory();
void RememberStartupDirectory();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the "scrivlet" window class with its icon, cursor and menu.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the window, shows it maximised, makes the canvas and starts the
// walk timer: everything of start-up before the options are read.
HWND OpenMainWindow(HINSTANCE instance);

// The defaults, then the stored options over them, then the pointer confined
// or freed by them: start-up once the window and its timer exist.
void LoadStartupOptions(HWND window);

// The whole program: start-up, message loop, shutdown. Returns 0.
int RunApplication(HINSTANCE instance);

// Plays the key sound; tests swap in their own to see the calls.
using SoundPlayer = void (*)(const char* soundFile);
void SetSoundPlayer(SoundPlayer player);
