// File > Save as BMP: asks where with the Save As dialog, copies the whole
// canvas (not the window) and writes it as a 24-bit BMP file that is never
// torn. A failed save is told to the parent, naming the file and the reason.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The menu command. A cancelled dialog does nothing.
void SaveCanvasAsBmp(HWND window);

// Saves the canvas to `path`; when that fails, says so in a message box over
// `owner`. True when the file holds the picture.
bool SaveCanvasToFile(HWND owner, const char* path);

// The whole canvas at its start-up size, top-down, four bytes a pixel (blue,
// green, red, unused). `rows` is empty when the pixels cannot be had.
struct CanvasPixels {
    std::vector<uint8_t> rows;
    int width = 0;
    int height = 0;
};
CanvasPixels CaptureCanvasPixels();
