// Pointer confinement on Win32: the cursor clip, and the window title that
// tells how to reach the menu.
#pragma once

#include <windows.h>

#include "core/pointer_confinement.h"

// Clips the pointer to the window's client area as it is now, in screen
// coordinates. A minimised window has no client area to hold the pointer
// in: then the clip waits until the window is shown again.
void ClipPointerToClient(HWND window);
// Frees the pointer; drops a clip that was waiting.
void FreePointer();
// The window has been restored or maximised: applies a clip that was waiting.
void PointerWindowShown(HWND window);

// The clip with the confined title, and the freed pointer with the plain one.
void ConfinePointer(HWND window);
void ReleasePointer(HWND window);
