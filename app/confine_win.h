// Pointer confinement on the platform: the cursor clip and the window title.
#pragma once

#include <windows.h>

#include "app/pointer_confinement.h"
#include "options/options_record.h"

// Clips the pointer to the window's client area as it is now, in screen
// coordinates, and sets the title that tells how to reach the menu.
void ConfinePointer(HWND window);

// Frees the pointer and sets the plain title.
void ReleasePointer(HWND window);

// Does what `moment` asks for under the `clipMousePointer` option of `options`.
void UpdatePointerConfinement(HWND window, PointerMoment moment, const OptionsRecord& options);
