// Filled ellipses as cairo paints them with antialiasing off, kept as rows:
// for each row from the top of the box, the columns [first, end) painted,
// counted from the box's left edge. A fill moved by whole pixels paints the
// same pixels moved, so rows found once serve every place on the canvas.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "core/types.h"

// Adds to the path an ellipse in `box`, whose edges lie between pixels.
void AddEllipsePath(cairo_t* cr, const Box& box);

// Fills a width x height ellipse with cairo and reads its rows back: two
// numbers a row, top row first; an empty row is 0, 0.
std::vector<uint16_t> CairoEllipseRows(int width, int height);

// The same rows, a byte a number, found by CairoEllipseRows when the program
// was built for every ellipse a blossom can have (its own and its black
// copy's) and kept in the file kEllipseRowsFile beside the program, which is
// mapped at the first call; null for any other size, or without the file.
const uint8_t* BuiltEllipseRows(int width, int height);

// Fills the ellipse in `box` on the RGB24 image surface `canvas` from its
// built rows, clipped to the surface, as cairo would fill it with
// antialiasing off; false, with nothing painted, where there are no rows
// for its size. A fast path in front of cairo's fill, kept because a key
// would otherwise cost about 0.08 ms more CPU (0.28 ms a key with the key
// sound off against 0.20 in bench/run --native), level with Tux Paint's
// 0.27 ms instead of ahead of it (bench/results.md).
bool FillEllipseFromBuiltRows(cairo_surface_t* canvas, const Box& box, Colour colour);

constexpr char kEllipseRowsFile[] = "ellipse-rows";
