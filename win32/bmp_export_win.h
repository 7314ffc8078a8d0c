// File > Save as BMP: asks where with the Save As dialog, reads the whole
// canvas (not the window) as a 24-bit BMP file and writes it so that it is
// never torn. A failed save is told to the parent, naming the file and the
// reason.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win32/canvas_win.h"

// The menu command. A cancelled dialog does nothing.
void SaveCanvasAsBmp(HWND window);

// Saves the canvas to `path`; when that fails, says so in a message box over
// `owner`. True when the file holds the picture.
bool SaveCanvasToFile(HWND owner, const char* path);

// The bytes of a BMP file of the whole of `canvas` at its start-up size, the
// rows read straight from its bitmap. Empty when the pixels cannot be had.
// The bitmap is selected back into the canvas's memory DC before this
// returns.
std::vector<uint8_t> ReadCanvasAsBmp(const Canvas& canvas);
