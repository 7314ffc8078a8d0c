// Fingers: one stroke each, decided in the order the platform tells their
// events, so a recorded session replays exactly.
#include "core/touch.h"

#include <algorithm>

namespace {

Fingers::iterator Find(Fingers& fingers, uint32_t id)
{
    return std::find_if(fingers.begin(), fingers.end(), [id](const Finger& finger) { return finger.id == id; });
}

}  // namespace

std::optional<Segment> TouchFinger(Fingers& fingers, PenState& pen, const OptionsRecord& options,
                                   RandomSource& random, TouchPhase phase, uint32_t id, Point at)
{
    auto finger = Find(fingers, id);
    if (phase == TouchPhase::Up) {
        if (finger != fingers.end())
            fingers.erase(finger);
        return std::nullopt;
    }
    if (phase == TouchPhase::Move) {
        // Windows reports every finger again whenever one of them moves: a
        // finger that has not moved paints no dot over its own line.
        if (finger == fingers.end() || finger->lastPoint == at)
            return std::nullopt;
        LiftPen(pen);
        const Segment segment = DrawSegmentFrom(pen.lineColour, options, random, finger->lastPoint, at, false);
        finger->lastPoint = at;
        return segment;
    }
    if (finger != fingers.end())
        fingers.erase(finger);
    if (fingers.size() >= kMostFingers)
        fingers.erase(fingers.begin());
    fingers.push_back(Finger{id, at});
    LiftPen(pen);
    Segment dot = DrawSegmentFrom(pen.lineColour, options, random, at, at, false);
    dot.dot = true;
    return dot;
}

std::optional<TouchPhase> FingerPhaseOf(MouseFromTouch message, bool fingerDown, bool fingersReported)
{
    if (fingersReported)
        return std::nullopt;
    switch (message) {
    case MouseFromTouch::LeftDown:
        return TouchPhase::Down;
    case MouseFromTouch::LeftUp:
        return TouchPhase::Up;
    case MouseFromTouch::Move:
        if (fingerDown)
            return TouchPhase::Move;
        return std::nullopt;
    case MouseFromTouch::RightDown:
    case MouseFromTouch::RightUp:
        break;
    }
    return std::nullopt;
}
