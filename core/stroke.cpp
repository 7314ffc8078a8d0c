// Decisions of the stroke engine; every random draw here happens in a fixed
// order, so a session replays exactly.
#include "core/stroke.h"

#include <cmath>

namespace {

int DriftChannel(RandomSource& random, int channel)
{
    const int value = channel + RandomScaled(random, kColourDrift) - kColourDrift / 2;
    if (value < kChannelLow)
        return kChannelHigh;
    if (value > kChannelHigh)
        return kChannelLow;
    return value;
}

}  // namespace

StrokeAction DecideStroke(const OptionsRecord& options, const PenState& pen)
{
    if (FlagOn(options.autoDraw) || FlagOn(options.drawWhenMouseMoves) || pen.leftButtonDown)
        return FlagOn(options.eraseWithRightButton) && pen.rightButtonDown ? StrokeAction::Erase
                                                                           : StrokeAction::Colour;
    // With no drawing condition the right button erases whatever the option says.
    return pen.rightButtonDown ? StrokeAction::Erase : StrokeAction::Nothing;
}

Colour DriftColour(RandomSource& random, Colour colour)
{
    const int red = DriftChannel(random, RedOf(colour));
    const int green = DriftChannel(random, GreenOf(colour));
    const int blue = DriftChannel(random, BlueOf(colour));
    return MakeColour(red, green, blue);
}

bool SegmentNeedsMargin(Point from, Point to)
{
    // Squares in 64 bits: a drag far outside the window must not overflow.
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    return std::sqrt(static_cast<double>(dx * dx + dy * dy)) > kBaseLineWidth;
}

Segment DrawSegmentFrom(Colour& lineColour, const OptionsRecord& options, RandomSource& random, Point from,
                        Point to, bool erase)
{
    Segment segment;
    segment.from = from;
    segment.to = to;
    segment.erase = erase;
    if (erase) {
        segment.colour = kBackgroundColour;
    } else {
        lineColour = DriftColour(random, lineColour);
        segment.colour = lineColour;
    }
    segment.width = RandomScaled(random, kWidthJitter) + kBaseLineWidth - kWidthJitter / 2;
    if (erase)
        segment.width *= kEraserFactor;
    segment.margin = FlagOn(options.drawWithBlackMargins) && SegmentNeedsMargin(segment.from, to);
    return segment;
}

Segment DrawSegment(PenState& pen, const OptionsRecord& options, RandomSource& random, Point to, bool erase)
{
    return DrawSegmentFrom(pen.lineColour, options, random, pen.lastPoint, to, erase);
}

std::optional<Segment> ContinueStroke(PenState& pen, const OptionsRecord& options, RandomSource& random,
                                      Point to, bool moveLastPoint)
{
    std::optional<Segment> segment;
    const StrokeAction action = DecideStroke(options, pen);
    if (action != StrokeAction::Nothing)
        segment = DrawSegment(pen, options, random, to, action == StrokeAction::Erase);
    if (moveLastPoint)
        pen.lastPoint = to;
    return segment;
}

std::optional<Segment> PointerMoved(PenState& pen, const OptionsRecord& options, RandomSource& random, Point to)
{
    if (pen.newStroke) {
        pen.lastPoint = to;
        pen.newStroke = false;
    }
    return ContinueStroke(pen, options, random, to, true);
}
