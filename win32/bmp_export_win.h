// The canvas (not the window) read as a 24-bit BMP file, for the core's
// Save as BMP.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win32/canvas_win.h"

// The bytes of a BMP file of the whole of `canvas` at its start-up size, the
// rows read straight from its bitmap. Empty when the pixels cannot be had.
// The bitmap is selected back into the canvas's memory DC before this
// returns.
std::vector<uint8_t> ReadCanvasAsBmp(const Canvas& canvas);
