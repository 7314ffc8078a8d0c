// Fingers on a touch screen: every finger paints a stroke of its own from
// where it lands, apart from the mouse's and from every other finger's, and
// a tap leaves a dot. The mouse keeps its own pen (PenState); fingers are
// told apart by the ids the platform gives them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/options_record.h"
#include "core/random.h"
#include "core/stroke.h"

// How many fingers are followed at once. A finger that lands beyond them
// takes the place of the one down longest, whose lift the platform may
// never have told (a dialog opened under it).
constexpr size_t kMostFingers = 20;

enum class TouchPhase { Down, Move, Up };

struct Finger {
    uint32_t id = 0;
    Point lastPoint;
};

// The fingers down now, the one down longest first.
using Fingers = std::vector<Finger>;

// A finger landed, moved or lifted: the mark it paints, if any. Every
// finger's mark is coloured (a finger has no eraser) and drifts the one
// line colour the mouse's strokes drift too. A landing paints a dot and
// lifts the mouse's pen (the desktop's one pointer follows a finger, so the
// mouse's next move starts where the pointer was left); a landing of a
// finger already down lifts it first. A move or lift of a finger that is
// not down, and a move to where the finger is, are nothing.
std::optional<Segment> TouchFinger(Fingers& fingers, PenState& pen, const OptionsRecord& options,
                                   RandomSource& random, TouchPhase phase, uint32_t id, Point at);

// Windows marks the mouse messages it makes from a finger or a pen with this
// signature in their extra information.
constexpr uint32_t kTouchSignatureMask = 0xFFFFFF00;
constexpr uint32_t kTouchSignature = 0xFF515700;
constexpr bool MadeFromTouch(uint32_t extraInfo) { return (extraInfo & kTouchSignatureMask) == kTouchSignature; }

// The id of the one finger that mouse messages made from touch can carry.
constexpr uint32_t kMouseMessageFingerId = 0xFFFFFFFF;

// A mouse message that carries the touch signature, and what it becomes:
// the left button's press lands a finger, moves while it is down move it,
// its release lifts it. Moves with no finger down (the pointer put where a
// finger is about to land) and the right button (a press and hold) are
// nothing: touch has no eraser. Where the platform reports every finger
// itself, these messages only echo it and are all nothing.
enum class MouseFromTouch { Move, LeftDown, LeftUp, RightDown, RightUp };
std::optional<TouchPhase> FingerPhaseOf(MouseFromTouch message, bool fingerDown, bool fingersReported);
