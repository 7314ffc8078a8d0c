// Everything the toy decides, gathered in one state and one handler per kind
// of input. The window procedure and the replay tool both drive it, so a
// replay draws exactly what the program draws.
#pragma once

#include <cstdint>
#include <optional>

#include "core/random.h"
#include "core/stamp.h"
#include "core/stroke.h"
#include "core/touch.h"
#include "core/types.h"
#include "core/walk.h"
#include "core/options_record.h"

struct Toy {
    OptionsRecord options{};  // all off until start-up loads them
    RandomSource random;
    PenState pen;  // the mouse's
    Fingers fingers;
    WalkState walk;
    CanvasBounds canvas;
};

// A pointer move to `at`: a segment to paint, or nothing. A position left of
// or above the client area (the pointer captured while a button is held)
// lifts the pen instead.
std::optional<Segment> OnPointerMove(Toy& toy, Point at);

// A finger landed, moved or lifted at `at`: a dot, a segment, or nothing.
std::optional<Segment> OnTouch(Toy& toy, TouchPhase phase, uint32_t id, Point at);

// One walk step fed through the stroke engine, then the pen is lifted.
// Taken by every mouse-wheel message, whatever the mode.
std::optional<Segment> OnWalkStep(Toy& toy);

// A timer tick: a walk step when auto draw is on, else nothing.
std::optional<Segment> OnTimerTick(Toy& toy);

struct KeyStamp {
    Blossom blossom;
    bool playSound = false;
};

// A key release over a client area of clientRight x clientBottom.
KeyStamp OnKeyReleased(Toy& toy, int clientRight, int clientBottom);
