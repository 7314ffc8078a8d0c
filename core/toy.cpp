// Input handlers of the toy: decode, decide, hand back marks to paint.
#include "core/toy.h"

uint32_t PackPointerPosition(int x, int y)
{
    return (static_cast<uint32_t>(x) & 0xFFFFu) | ((static_cast<uint32_t>(y) & 0xFFFFu) << 16);
}

std::optional<Point> DecodePointerPosition(uint32_t packed)
{
    const int32_t x = static_cast<int32_t>(packed & 0xFFFFu);
    const int32_t y = static_cast<int32_t>(packed >> 16);
    if (x > 32767 || y > 32767)
        return std::nullopt;
    return Point{x, y};
}

std::optional<Segment> OnPointerMove(Toy& toy, uint32_t packed)
{
    const std::optional<Point> point = DecodePointerPosition(packed);
    if (!point) {
        LiftPen(toy.pen);
        return std::nullopt;
    }
    return PointerMoved(toy.pen, toy.options, toy.random, *point);
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
