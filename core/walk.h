// The auto-draw walk: a bouncing random walk that picks the pen's next point.
// Drawing itself goes through the stroke engine.
#pragma once

#include "core/random.h"
#include "core/types.h"

constexpr int kWalkStep = 45;
constexpr int kTurnChance = 15;
constexpr int kTurnXValue = 3;
constexpr int kTurnYValue = 7;

// Largest steps; their signs are the current directions.
struct WalkState {
    int32_t stepX = kWalkStep;
    int32_t stepY = kWalkStep;
};

// The next point from `lastPoint`, kept inside 0..canvas.right, 0..canvas.bottom.
// Draws, in order: x turn, y turn, x move, y move.
Point WalkStep(WalkState& walk, RandomSource& random, Point lastPoint, CanvasBounds canvas);
