// The GDI canvas: the window surface, the off-screen canvas bitmap and the
// long-lived drawing tools. Every mark goes to the window first and to the
// canvas second, so a repaint can restore the window from the canvas.
#pragma once

#include <windows.h>

#include "core/stamp.h"
#include "core/stroke.h"
#include "core/types.h"

struct Canvas {
    HDC windowSurface = nullptr;
    HDC memorySurface = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ displacedBitmap = nullptr;
    HPEN marginPen = nullptr;
    HPEN nullPen = nullptr;
    HBRUSH backgroundBrush = nullptr;
    CanvasBounds bounds;
    // Tools of one mark, kept until the next mark of their kind replaces them.
    HPEN segmentPen = nullptr;
    HGDIOBJ segmentPenDisplaced = nullptr;
    HBRUSH stampBrush = nullptr;
    HGDIOBJ stampBrushDisplaced = nullptr;
};

// The process's one canvas.
Canvas& TheCanvas();

// Takes the window surface and makes the canvas at the client size. Once.
void CreateCanvas(HWND window);

// Copies `rect` of the canvas to the same place on `target`; parts of the
// rectangle beyond the canvas are painted in the background colour.
void RepaintFromCanvas(HDC target, const RECT& rect);

// Blackens the current client area on the window and on the canvas.
void ClearCanvas(HWND window);

// Gives the window surface back; called when the window is destroyed.
void ReleaseWindowSurface(HWND window);

// Paints a segment decided by the stroke engine on both surfaces.
void PaintSegment(const Segment& segment);

// Paints a blossom (and its black copy, when it has a margin) on both surfaces.
void PaintBlossom(const Blossom& blossom);
