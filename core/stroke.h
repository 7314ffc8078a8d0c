// The stroke engine: turns pen positions into thick line segments, deciding
// colour, erasing, width and black margin. It returns plain segments; the
// canvas paints them.
#pragma once

#include <optional>

#include "core/random.h"
#include "core/types.h"
#include "core/options_record.h"

constexpr int kBaseLineWidth = 15;
constexpr int kWidthJitter = 10;
constexpr int kEraserFactor = 5;
constexpr int kColourDrift = 20;
constexpr int kChannelLow = 10;
constexpr int kChannelHigh = 255;
constexpr int kMarginPenWidth = kBaseLineWidth * 5 / 2;
constexpr Colour kInitialLineColour = MakeColour(100, 200, 100);

struct PenState {
    Point lastPoint{0, 0};
    bool newStroke = true;
    bool leftButtonDown = false;
    bool rightButtonDown = false;
    Colour lineColour = kInitialLineColour;
};

// One mark of the stroke engine: a line from `from` to `to`, optionally laid
// over a black margin line of kMarginPenWidth.
struct Segment {
    Point from;
    Point to;
    int width = 0;
    Colour colour = kBackgroundColour;
    bool margin = false;
    bool erase = false;
    // A finger's landing: a round dot of `width` at `to` (`from` is the
    // same point), painted as the zero-length line it is.
    bool dot = false;
};

enum class StrokeAction { Nothing, Colour, Erase };

// What the next segment does, from the options and the button flags.
StrokeAction DecideStroke(const OptionsRecord& options, const PenState& pen);

// Each channel moves by -10..+10 (red, green, blue draws in that order);
// below 10 wraps to 255, above 255 wraps to 10.
Colour DriftColour(RandomSource& random, Colour colour);

// True when a segment is longer than the base line width and so gets a margin.
bool SegmentNeedsMargin(Point from, Point to);

// Decides the segment from `from` to `to` (colour drift of `lineColour`,
// width, margin).
Segment DrawSegmentFrom(Colour& lineColour, const OptionsRecord& options, RandomSource& random, Point from,
                        Point to, bool erase);
// The same from the pen's lastPoint.
Segment DrawSegment(PenState& pen, const OptionsRecord& options, RandomSource& random, Point to, bool erase);

// The single entry for a new pen position: the segment to paint, if any.
// `lastPoint` moves to `to` when moveLastPoint is set, drawn or not.
std::optional<Segment> ContinueStroke(PenState& pen, const OptionsRecord& options, RandomSource& random,
                                      Point to, bool moveLastPoint);

// A pointer position inside (or right of / below) the client area.
std::optional<Segment> PointerMoved(PenState& pen, const OptionsRecord& options, RandomSource& random, Point to);

// Makes the next pointer movement start a new stroke.
inline void LiftPen(PenState& pen) { pen.newStroke = true; }
inline void SetLeftButton(PenState& pen, bool down) { pen.leftButtonDown = down; }
inline void SetRightButton(PenState& pen, bool down) { pen.rightButtonDown = down; }
