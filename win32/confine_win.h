// Pointer confinement on Win32: the cursor clip, and the window title that
// tells how to reach the menu.
#pragma once

#include <windows.h>

#include "core/pointer_confinement.h"

// Clips the pointer to the window's client area as it is now, in screen
// coordinates; true when the system holds that clip. A minimised window has
// no client area to hold the pointer in: then the clip waits until the
// window is shown again, which counts as held.
bool ClipPointerToClient(HWND window);
// True while the clip last made is the one in force (or still waits).
bool PointerClipInForce();
// Frees the pointer; drops a clip that was waiting.
void FreePointer();
// The window has been restored or maximised: applies a clip that was waiting.
void PointerWindowShown(HWND window);

// The clip with the confined title, and the freed pointer with the plain one.
void ConfinePointer(HWND window);
void ReleasePointer(HWND window);
