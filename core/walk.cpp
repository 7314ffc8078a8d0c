// One step of the auto-draw walk.
#include "core/walk.h"

namespace {

// Moves one coordinate by up to `step` and bounces it off 0 and `limit`.
int32_t WalkAxis(RandomSource& random, int32_t from, int32_t& step, int32_t limit)
{
    int32_t value = from + RandomScaled(random, step);
    if (value < 0) {
        value = 0;
        step = -step;
    }
    if (value > limit) {
        step = -step;
        value = limit;
    }
    return value;
}

}  // namespace

Point WalkStep(WalkState& walk, RandomSource& random, Point lastPoint, CanvasBounds canvas)
{
    if (RandomScaled(random, kTurnChance) == kTurnXValue)
        walk.stepX = -walk.stepX;
    if (RandomScaled(random, kTurnChance) == kTurnYValue)
        walk.stepY = -walk.stepY;
    Point next;
    next.x = WalkAxis(random, lastPoint.x, walk.stepX, canvas.right);
    next.y = WalkAxis(random, lastPoint.y, walk.stepY, canvas.bottom);
    return next;
}
