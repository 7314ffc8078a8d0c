// Which parts of the desktop get a black curtain while the toy is active: on
// a desktop of several monitors, every monitor but the one the toy's window
// is on, so that a child's click lands on the toy and never on a parent's
// window.
#pragma once

#include <vector>

#include "core/types.h"

// What a curtain hears from the child, as the toy's shell decodes it.
enum class CurtainInput { PointerMove, Button, Wheel, Key };

// The curtains, in screen coordinates, for the monitors' rectangles (the
// primary first) and the toy's window's. The toy's own monitor is the one
// the window overlaps most, the first on a tie or when it overlaps none; it
// gets no curtain, nor does any part of another monitor that lies over it
// (a mirrored or overlapping monitor), nor a monitor lying wholly inside
// another one that gets a curtain. Empty rectangles are no monitors. One
// monitor, or none, gives no curtain at all.
std::vector<Box> CurtainsFor(const std::vector<Box>& monitors, const Box& window);
