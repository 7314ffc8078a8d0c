// The stroke engine: when it draws, erases or does nothing; colour drift,
// widths, margins and the order of its random draws.
#include <gtest/gtest.h>

#include "core/stroke.h"
#include "random_helpers.h"

namespace {

OptionsRecord Options(bool drawWhenMouseMoves, bool eraseWithRightButton, bool autoDraw, bool margins = true)
{
    OptionsRecord options{};
    options.drawWhenMouseMoves = drawWhenMouseMoves;
    options.eraseWithRightButton = eraseWithRightButton;
    options.autoDraw = autoDraw;
    options.drawWithBlackMargins = margins;
    return options;
}

}  // namespace

TEST(StrokeDecision, EveryCombinationOfConditionsButtonsAndEraseOption)
{
    for (int bits = 0; bits < 32; ++bits) {
        const bool autoDraw = bits & 1;
        const bool moves = bits & 2;
        const bool left = bits & 4;
        const bool right = bits & 8;
        const bool eraseOption = bits & 16;
        PenState pen;
        pen.leftButtonDown = left;
        pen.rightButtonDown = right;
        const StrokeAction action = DecideStroke(Options(moves, eraseOption, autoDraw), pen);

        StrokeAction expected = StrokeAction::Nothing;
        if (autoDraw || moves || left)
            expected = (eraseOption && right) ? StrokeAction::Erase : StrokeAction::Colour;
        else if (right)
            expected = StrokeAction::Erase;  // the right button alone always erases
        EXPECT_EQ(action, expected) << "case bits " << bits;
    }
}

TEST(StrokeDecision, AnyNonzeroFlagCountsAsOn)
{
    OptionsRecord options{};
    options.drawWhenMouseMoves = 2;
    options.eraseWithRightButton = -1;
    PenState pen;
    pen.rightButtonDown = true;
    EXPECT_EQ(DecideStroke(options, pen), StrokeAction::Erase);
}

TEST(ColourDrift, ChannelsWrapAtTheirLimits)
{
    // A red channel of 10 drifting by -1 gives 9, which wraps to 255.
    RandomSource down = FindRandomState([](RandomSource r) { return RandomScaled(r, 20) == 9; });
    EXPECT_EQ(RedOf(DriftColour(down, MakeColour(10, 100, 100))), 255);

    // A red channel of 250 drifting by +6 gives 256, which wraps to 10.
    RandomSource up = FindRandomState([](RandomSource r) { return RandomScaled(r, 20) == 16; });
    EXPECT_EQ(RedOf(DriftColour(up, MakeColour(250, 100, 100))), 10);

    // The limits themselves are kept: 10 stays 10 and 255 stays 255.
    RandomSource still = FindRandomState([](RandomSource r) { return RandomScaled(r, 20) == 10; });
    RandomSource stillToo = still;
    EXPECT_EQ(RedOf(DriftColour(still, MakeColour(10, 100, 100))), 10);
    EXPECT_EQ(RedOf(DriftColour(stillToo, MakeColour(255, 100, 100))), 255);
}

TEST(ColourDrift, DrawsRedThenGreenThenBlue)
{
    RandomSource random;  // draws 41, 18467, 6334 scale to 0, 11, 3
    const Colour drifted = DriftColour(random, kInitialLineColour);
    EXPECT_EQ(RedOf(drifted), 90);
    EXPECT_EQ(GreenOf(drifted), 201);
    EXPECT_EQ(BlueOf(drifted), 93);
}

TEST(ColourDrift, NeverLeavesTenTo255OverALongRun)
{
    RandomSource random;
    Colour colour = kInitialLineColour;
    for (int i = 0; i < 20000; ++i) {
        colour = DriftColour(random, colour);
        for (int channel : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
            ASSERT_GE(channel, 10);
            ASSERT_LE(channel, 255);
        }
    }
}

TEST(Segments, ColouredTakesFourDrawsAndErasingOne)
{
    OptionsRecord options = Options(true, true, false);
    PenState pen;
    RandomSource random;
    const RandomSource start = random;
    const Segment coloured = DrawSegment(pen, options, random, Point{40, 40}, false);
    EXPECT_EQ(CountDraws(start, random), 4);
    // With the defaults' first draws: drift 0, 11, 3, then width 8 + 10.
    EXPECT_EQ(coloured.colour, MakeColour(90, 201, 93));
    EXPECT_EQ(coloured.width, 18);
    EXPECT_EQ(pen.lineColour, coloured.colour);

    const RandomSource beforeErase = random;
    const Colour lineColour = pen.lineColour;
    const Segment erasing = DrawSegment(pen, options, random, Point{50, 50}, true);
    EXPECT_EQ(CountDraws(beforeErase, random), 1);
    EXPECT_EQ(erasing.colour, kBackgroundColour);
    EXPECT_EQ(pen.lineColour, lineColour);  // erasing leaves the drift alone
}

TEST(Segments, WidthsStayInTheirRanges)
{
    OptionsRecord options = Options(true, true, false);
    PenState pen;
    RandomSource random;
    for (int i = 0; i < 5000; ++i) {
        const Segment coloured = DrawSegment(pen, options, random, Point{1, 1}, false);
        ASSERT_GE(coloured.width, 10);
        ASSERT_LE(coloured.width, 20);
        const Segment erasing = DrawSegment(pen, options, random, Point{1, 1}, true);
        ASSERT_GE(erasing.width, 50);
        ASSERT_LE(erasing.width, 100);
        ASSERT_EQ(erasing.width % 5, 0);
    }
}

TEST(Segments, MarginOnlyAboveFifteenPixelsAndOnlyWhenEnabled)
{
    EXPECT_FALSE(SegmentNeedsMargin(Point{0, 0}, Point{9, 12}));   // exactly 15
    EXPECT_TRUE(SegmentNeedsMargin(Point{0, 0}, Point{1, 15}));    // sqrt(226)
    EXPECT_FALSE(SegmentNeedsMargin(Point{5, 5}, Point{5, 5}));
    EXPECT_TRUE(SegmentNeedsMargin(Point{-30000, -30000}, Point{30000, 30000}));  // no overflow

    PenState pen;
    RandomSource random;
    pen.lastPoint = Point{0, 0};
    EXPECT_TRUE(DrawSegment(pen, Options(true, true, false, true), random, Point{1, 15}, true).margin);
    EXPECT_FALSE(DrawSegment(pen, Options(true, true, false, false), random, Point{1, 15}, false).margin);
}

TEST(Strokes, FirstMoveOfANewStrokeDrawsAZeroLengthSegment)
{
    OptionsRecord options = DefaultOptions();
    PenState pen;
    RandomSource random;
    const std::optional<Segment> first = PointerMoved(pen, options, random, Point{10, 10});
    ASSERT_TRUE(first);
    EXPECT_EQ(first->from, (Point{10, 10}));
    EXPECT_EQ(first->to, (Point{10, 10}));
    EXPECT_FALSE(first->margin);
    EXPECT_FALSE(pen.newStroke);
    EXPECT_EQ(CountDraws(RandomSource{}, random), 4);  // its draws still happen

    const std::optional<Segment> second = PointerMoved(pen, options, random, Point{30, 10});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->from, (Point{10, 10}));
    EXPECT_TRUE(second->margin);
    EXPECT_EQ(second->colour, MakeColour(0x5B, 0xC8, 0x5A));
}

TEST(Strokes, LastPointMovesEvenWhenNothingIsDrawn)
{
    OptionsRecord options = Options(false, true, false);
    PenState pen;
    pen.newStroke = false;
    RandomSource random;
    EXPECT_FALSE(ContinueStroke(pen, options, random, Point{100, 200}, true));
    EXPECT_EQ(pen.lastPoint, (Point{100, 200}));
    EXPECT_EQ(random.state, RandomSource{}.state);  // nothing drawn, nothing drawn from the source

    // Turning drawing on mid-way continues from where the pointer last was.
    options.drawWhenMouseMoves = 1;
    const std::optional<Segment> segment = ContinueStroke(pen, options, random, Point{110, 200}, true);
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->from, (Point{100, 200}));

    EXPECT_TRUE(ContinueStroke(pen, options, random, Point{500, 500}, false));
    EXPECT_EQ(pen.lastPoint, (Point{110, 200}));
}

TEST(Strokes, RightButtonWithoutTheEraseOptionDrawsInColourWhileDrawing)
{
    PenState pen;
    pen.rightButtonDown = true;
    RandomSource random;
    const std::optional<Segment> segment =
        ContinueStroke(pen, Options(true, false, false), random, Point{5, 5}, true);
    ASSERT_TRUE(segment);
    EXPECT_FALSE(segment->erase);
    EXPECT_NE(segment->colour, kBackgroundColour);
}

TEST(Strokes, LiftPenStartsTheNextMoveAfresh)
{
    OptionsRecord options = DefaultOptions();
    PenState pen;
    RandomSource random;
    PointerMoved(pen, options, random, Point{10, 10});
    LiftPen(pen);
    const std::optional<Segment> segment = PointerMoved(pen, options, random, Point{300, 300});
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->from, (Point{300, 300}));
}
