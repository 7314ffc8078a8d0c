// Shared helpers of the Win32 integration tests: the one real main window,
// a fixture that puts the live toy into a known state, and pixel read-back
// from the canvas and the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win32/shell_win.h"
#include "core/toy.h"

// The main window that main() opened for the whole test run: the shell's.
HWND MainWindowUnderTest();

// The client rectangle of the main window now.
RECT ClientRect();

// An options record with every flag off and no sound file.
OptionsRecord AllOptionsOff();

// A block of pixels read from a device context as 0x00BBGGRR colours.
struct Pixels {
    RECT area{};
    std::vector<COLORREF> colours;

    COLORREF At(int x, int y) const;  // client coordinates inside `area`
    int Count(COLORREF colour) const;
    int CountOther(COLORREF colour) const;
};

// Copies `area` of `surface` into a 32-bit DIB section and reads it. A plain
// GetDIBits on the canvas bitmap is not used: it is selected into a DC.
Pixels Grab(HDC surface, const RECT& area);
Pixels GrabCanvas(const RECT& area);
// Reads the window through a fresh DC, not the canvas's kept one.
Pixels GrabWindow(const RECT& area);

int CountDifferent(const Pixels& a, const Pixels& b);

COLORREF CanvasPixel(int x, int y);
COLORREF WindowPixel(int x, int y);

// Fills `area` with `colour` on both surfaces, behind the program's back, to
// give a mark something to be seen against.
void PaintBothSurfaces(const RECT& area, COLORREF colour);

// Sends a message to the main window and returns its result.
LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Puts the live toy into a known state before each test: all options off,
// random source at 1, pen lifted with both buttons up and the first line
// colour, walk heading right and down, canvas and window cleared. No test
// depends on what another one left behind.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    HWND window() const { return MainWindowUnderTest(); }
    Toy& toy() const { return TheToy(); }

    // A move of the pointer to (x, y) as a drag reports it.
    void MovePointer(int x, int y, WPARAM keys = 0);
    void PressLeft(int x, int y);
    void ReleaseLeft(int x, int y);
    void PressRight(int x, int y);
    void ReleaseRight(int x, int y);
};

// The random state, pen and walk of `actual` equal those of `expected`.
void ExpectSameToy(const Toy& expected, const Toy& actual);

// A readable colour for failure messages.
std::string ColourText(COLORREF colour);

// The midpoint of a segment.
Point Midpoint(const Segment& segment);
