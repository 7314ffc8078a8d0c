// Input handlers of the toy: decode, decide, hand back marks to paint.
#include "core/toy.h"

std::optional<Segment> OnPointerMove(Toy& toy, Point at)
{
    if (at.x < 0 || at.y < 0) {
        LiftPen(toy.pen);
        return std::nullopt;
    }
    return PointerMoved(toy.pen, toy.options, toy.random, at);
}

std::optional<Segment> OnTouch(Toy& toy, TouchPhase phase, uint32_t id, Point at)
{
    return TouchFinger(toy.fingers, toy.pen, toy.options, toy.random, phase, id, at);
}

std::optional<Segment> OnWalkStep(Toy& toy)
{
    const Point next = WalkStep(toy.walk, toy.random, toy.pen.lastPoint, toy.canvas);
    std::optional<Segment> segment = ContinueStroke(toy.pen, toy.options, toy.random, next, true);
    LiftPen(toy.pen);
    return segment;
}

std::optional<Segment> OnTimerTick(Toy& toy)
{
    if (!FlagOn(toy.options.autoDraw))
        return std::nullopt;
    return OnWalkStep(toy);
}

KeyStamp OnKeyReleased(Toy& toy, int clientRight, int clientBottom)
{
    KeyStamp stamp;
    stamp.blossom = StampAtRandom(toy.random, toy.options, clientRight, clientBottom);
    stamp.playSound = FlagOn(toy.options.keySound);
    return stamp;
}
