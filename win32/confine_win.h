// Pointer confinement on the platform: the cursor clip and the window title.
#pragma once

#include <windows.h>

#include "core/pointer_confinement.h"
#include "core/options_record.h"

// Clips the pointer to the window's client area as it is now, in screen
// coordinates, and sets the title that tells how to reach the menu. A
// minimised window has no client area to hold the pointer in: then the clip
// waits until the window is shown again.
void ConfinePointer(HWND window);

// Frees the pointer and sets the plain title; drops a clip that was waiting.
void ReleasePointer(HWND window);

// The window has been restored or maximised: applies a clip that was waiting.
void PointerWindowShown(HWND window);

// Does what `moment` asks for under the `clipMousePointer` option of `options`.
void UpdatePointerConfinement(HWND window, PointerMoment moment, const OptionsRecord& options);
