// The cairo canvas of the native shell: an image surface at the drawing
// area's start-up size on which the core's marks are painted with
// antialiasing off, so every pixel has exactly the colour the core chose.
#pragma once

#include <cairo.h>

#include "core/stamp.h"
#include "core/stroke.h"
#include "core/types.h"

struct CairoCanvas {
    cairo_surface_t* surface = nullptr;
    CanvasBounds bounds;
};

// Makes the shell's black canvas of width x height. Once; false when cairo
// cannot.
bool CreateCairoCanvas(int width, int height);

// Paints a segment (over its black margin line, when it has one); returns
// the area of the canvas that changed, for the window to redraw.
Box PaintSegmentOnCanvas(const Segment& segment);

// Paints a blossom (over its black copy, when it has a margin); returns the
// area that changed.
Box PaintBlossomOnCanvas(const Blossom& blossom);

// Blackens the canvas under a client area of width x height.
void ClearCairoCanvas(int width, int height);

// Copies the canvas onto `target` (whose origin is the canvas's top-left
// corner) inside `clip`; whatever lies beyond the canvas is painted black.
void PaintCanvasOnto(cairo_t* target, const Box& clip);
