// The Windows-key guard: a system-wide low-level keyboard hook that swallows
// both Windows-logo keys while the toy runs, so a child cannot open the
// Start menu over the drawing.
#pragma once

#include <windows.h>

// Checks the platform and, where it has low-level keyboard hooks, installs
// the guard for every thread of the desktop. Called before the window exists.
void InstallKeyboardGuard(HINSTANCE instance);

// Removes the guard again, wherever the platform check let it be installed.
void RemoveKeyboardGuard();

// The hook procedure: swallows the Windows-logo keys and Ctrl+Esc, passes on
// the rest.
LRESULT CALLBACK KeyboardGuardProc(int code, WPARAM wParam, LPARAM lParam);
