// Key stamps and the auto-draw walk: the order of their random draws, blossom
// geometry, edge bouncing, turns, and what a wheel step draws in each mode.
#include <gtest/gtest.h>

#include "core/toy.h"
#include "random_helpers.h"

namespace {

Toy ToyWithFlags(int32_t drawWhenMouseMoves, int32_t eraseWithRightButton, int32_t margins, int32_t autoDraw)
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    toy.options.drawWhenMouseMoves = drawWhenMouseMoves;
    toy.options.eraseWithRightButton = eraseWithRightButton;
    toy.options.drawWithBlackMargins = margins;
    toy.options.autoDraw = autoDraw;
    toy.canvas = CanvasBounds{1000, 700};
    return toy;
}

// A source whose next four draws make a walk step with no turn and moves of
// exactly (xMove, yMove) for steps of (stepX, stepY).
RandomSource StraightStep(int stepX, int xMove, int stepY, int yMove)
{
    return FindRandomState([=](RandomSource r) {
        return RandomScaled(r, kTurnChance) != kTurnXValue && RandomScaled(r, kTurnChance) != kTurnYValue &&
               RandomScaled(r, stepX) == xMove && RandomScaled(r, stepY) == yMove;
    });
}

}  // namespace

TEST(KeyStamp, DrawsXYThenSizesThenBlueGreenRed)
{
    // From the start of the sequence the draws are 41, 18467, 6334, 26500,
    // 19169, 15724, 11478: scaled by 1000, 700, 60, 60, 255, 255, 255.
    Toy toy = ToyWithFlags(1, 1, 1, 0);
    const RandomSource before = toy.random;
    const KeyStamp stamp = OnKeyReleased(toy, 1000, 700);
    EXPECT_EQ(stamp.blossom.centre, (Point{1, 394}));
    EXPECT_EQ(stamp.blossom.a, 11 + 5);
    EXPECT_EQ(stamp.blossom.b, 48 + 5);
    EXPECT_EQ(BlueOf(stamp.blossom.colour), 149);
    EXPECT_EQ(GreenOf(stamp.blossom.colour), 122);
    EXPECT_EQ(RedOf(stamp.blossom.colour), 89);
    EXPECT_EQ(CountDraws(before, toy.random), 7);
}

TEST(KeyStamp, CentreStaysInsideTheCurrentClientAreaAndSizesIn5To65)
{
    Toy toy = ToyWithFlags(1, 1, 1, 0);
    for (int i = 0; i < 5000; ++i) {
        const Blossom blossom = OnKeyReleased(toy, 300, 200).blossom;
        ASSERT_GE(blossom.centre.x, 0);
        ASSERT_LE(blossom.centre.x, 300);
        ASSERT_GE(blossom.centre.y, 0);
        ASSERT_LE(blossom.centre.y, 200);
        ASSERT_GE(blossom.a, 5);
        ASSERT_LE(blossom.a, 65);
        ASSERT_GE(blossom.b, 5);
        ASSERT_LE(blossom.b, 65);
    }
    // A client area of nothing (minimised) puts every stamp at the corner.
    EXPECT_EQ(OnKeyReleased(toy, 0, 0).blossom.centre, (Point{0, 0}));
}

TEST(KeyStamp, MarginFollowsTheOptionAndTheSoundFollowsKeySound)
{
    Toy toy = ToyWithFlags(1, 1, 1, 0);
    KeyStamp stamp = OnKeyReleased(toy, 640, 480);
    EXPECT_TRUE(stamp.blossom.margin);
    EXPECT_TRUE(stamp.playSound);

    toy.options.drawWithBlackMargins = 0;
    toy.options.keySound = 0;
    stamp = OnKeyReleased(toy, 640, 480);
    EXPECT_FALSE(stamp.blossom.margin);
    EXPECT_FALSE(stamp.playSound);

    toy.options.drawWithBlackMargins = 2;
    toy.options.keySound = -1;
    stamp = OnKeyReleased(toy, 640, 480);
    EXPECT_TRUE(stamp.blossom.margin);
    EXPECT_TRUE(stamp.playSound);
}

TEST(KeyStamp, LeavesTheStrokeEngineAlone)
{
    Toy toy = ToyWithFlags(1, 1, 1, 0);
    OnPointerMove(toy, Point{100, 120});
    OnPointerMove(toy, Point{140, 90});
    const PenState pen = toy.pen;
    ASSERT_FALSE(pen.newStroke);

    OnKeyReleased(toy, 800, 600);
    EXPECT_EQ(toy.pen.lineColour, pen.lineColour);
    EXPECT_EQ(toy.pen.lastPoint, pen.lastPoint);
    EXPECT_EQ(toy.pen.newStroke, pen.newStroke);

    // And the next move joins the stroke where it left off.
    const std::optional<Segment> next = OnPointerMove(toy, Point{150, 95});
    ASSERT_TRUE(next);
    EXPECT_EQ(next->from, (Point{140, 90}));
}

TEST(Blossom, MarginCopyIsFiveHalvesOfEachDimension)
{
    EXPECT_EQ(MarginSize(5), 12);
    EXPECT_EQ(MarginSize(65), 162);
    EXPECT_EQ(MarginSize(16), 40);
    const std::array<Box, 2> black = BlossomEllipses(Point{200, 300}, MarginSize(5), MarginSize(65));
    EXPECT_EQ(black[0], (Box{194, 219, 206, 381}));  // 12 wide, 162 high
    EXPECT_EQ(black[1], (Box{119, 294, 281, 306}));  // 162 wide, 12 high
}

TEST(Blossom, TwoEllipsesCrossedAtTheCentre)
{
    // Odd sizes lose their last pixel to the halving: 53 gives a half of 26.
    const std::array<Box, 2> boxes = BlossomEllipses(Point{100, 50}, 16, 53);
    EXPECT_EQ(boxes[0], (Box{92, 24, 108, 76}));
    EXPECT_EQ(boxes[1], (Box{74, 42, 126, 58}));
}

TEST(Blossom, EqualSizesGiveOneCircleTwice)
{
    const std::array<Box, 2> boxes = BlossomEllipses(Point{10, 20}, 33, 33);
    EXPECT_EQ(boxes[0], boxes[1]);
    EXPECT_EQ(boxes[0], (Box{-6, 4, 26, 36}));
}

TEST(Walk, TakesFourDrawsAndLeavesLastPointAlone)
{
    WalkState walk;
    RandomSource random;
    const RandomSource before = random;
    WalkStep(walk, random, Point{500, 400}, CanvasBounds{1000, 700});
    EXPECT_EQ(CountDraws(before, random), 4);
}

TEST(Walk, TurnDrawsReverseEachStepOnItsOwnValue)
{
    const Point middle{500, 350};
    const CanvasBounds canvas{1000, 700};
    struct Case {
        int xTurnDraw, yTurnDraw;
        int32_t stepX, stepY;
    } cases[] = {
        {3, 0, -45, 45},
        {0, 7, 45, -45},
        {3, 7, -45, -45},
        {7, 3, 45, 45},  // each value only counts in its own draw
    };
    for (const Case& c : cases) {
        RandomSource random = FindRandomState([&](RandomSource r) {
            return RandomScaled(r, kTurnChance) == c.xTurnDraw && RandomScaled(r, kTurnChance) == c.yTurnDraw;
        });
        WalkState walk;
        const Point next = WalkStep(walk, random, middle, canvas);
        EXPECT_EQ(walk.stepX, c.stepX) << c.xTurnDraw << "," << c.yTurnDraw;
        EXPECT_EQ(walk.stepY, c.stepY) << c.xTurnDraw << "," << c.yTurnDraw;
        // The move already goes the new way.
        EXPECT_EQ(next.x < middle.x, c.stepX < 0 && next.x != middle.x);
        EXPECT_EQ(next.y < middle.y, c.stepY < 0 && next.y != middle.y);
    }
}

TEST(Walk, ClampsAtTheLeftAndTopAndHeadsBack)
{
    WalkState walk{-45, -45};
    RandomSource random = StraightStep(-45, -30, -45, -12);
    const Point next = WalkStep(walk, random, Point{20, 5}, CanvasBounds{1000, 700});
    EXPECT_EQ(next, (Point{0, 0}));
    EXPECT_EQ(walk.stepX, 45);
    EXPECT_EQ(walk.stepY, 45);
}

TEST(Walk, ClampsAtTheRightAndBottomAndHeadsBack)
{
    WalkState walk;
    RandomSource random = StraightStep(45, 30, 45, 12);
    const Point next = WalkStep(walk, random, Point{990, 695}, CanvasBounds{1000, 700});
    EXPECT_EQ(next, (Point{1000, 700}));  // one beyond the last column and row
    EXPECT_EQ(walk.stepX, -45);
    EXPECT_EQ(walk.stepY, -45);
}

TEST(Walk, LandingExactlyOnAnEdgeKeepsTheDirection)
{
    WalkState walk{45, -45};
    RandomSource random = StraightStep(45, 10, -45, -5);
    const Point next = WalkStep(walk, random, Point{990, 5}, CanvasBounds{1000, 700});
    EXPECT_EQ(next, (Point{1000, 0}));
    EXPECT_EQ(walk.stepX, 45);
    EXPECT_EQ(walk.stepY, -45);
}

TEST(Walk, FromBeyondTheEdgeMovesFirstAndClampsOnlyIfStillBeyond)
{
    const CanvasBounds canvas{1000, 700};
    {
        // Heading back in but not far enough: clamped, and the step turns
        // round, so it now points out again.
        WalkState walk{-45, -45};
        RandomSource random = StraightStep(-45, -30, -45, -30);
        const Point next = WalkStep(walk, random, Point{1100, 900}, canvas);
        EXPECT_EQ(next, (Point{1000, 700}));
        EXPECT_EQ(walk.stepX, 45);
        EXPECT_EQ(walk.stepY, 45);
    }
    {
        // Heading back in far enough: no clamp, the step is kept.
        WalkState walk{-45, -45};
        RandomSource random = StraightStep(-45, -40, -45, -40);
        const Point next = WalkStep(walk, random, Point{1020, 720}, canvas);
        EXPECT_EQ(next, (Point{980, 680}));
        EXPECT_EQ(walk.stepX, -45);
        EXPECT_EQ(walk.stepY, -45);
    }
}

TEST(Walk, StaysOnTheCanvasOverALongRun)
{
    WalkState walk;
    RandomSource random;
    Point point{0, 0};
    for (int i = 0; i < 20000; ++i) {
        point = WalkStep(walk, random, point, CanvasBounds{120, 80});
        ASSERT_GE(point.x, 0);
        ASSERT_LE(point.x, 120);
        ASSERT_GE(point.y, 0);
        ASSERT_LE(point.y, 80);
        ASSERT_EQ(walk.stepX == 45 || walk.stepX == -45, true);
        ASSERT_EQ(walk.stepY == 45 || walk.stepY == -45, true);
    }
}

TEST(WheelStep, WithNoDrawingConditionMovesLastPointAndDrawsNothing)
{
    Toy toy = ToyWithFlags(0, 1, 1, 0);
    toy.pen.lastPoint = Point{500, 350};
    toy.pen.newStroke = false;
    RandomSource expected = toy.random;
    WalkState walk = toy.walk;
    const Point next = WalkStep(walk, expected, toy.pen.lastPoint, toy.canvas);

    EXPECT_FALSE(OnWalkStep(toy));
    EXPECT_EQ(toy.pen.lastPoint, next);
    EXPECT_TRUE(toy.pen.newStroke);
    EXPECT_EQ(toy.random.state, expected.state);  // only the walk's four draws
}

TEST(WheelStep, DrawsWhenMouseMovesOrAButtonIsHeld)
{
    struct Case {
        int32_t drawWhenMouseMoves;
        bool left, right;
        bool erase;
    } cases[] = {
        {1, false, false, false},
        {0, true, false, false},
        {0, false, true, true},  // the right button alone erases
        {1, false, true, true},  // ... and with the erase option while drawing
    };
    for (const Case& c : cases) {
        Toy toy = ToyWithFlags(c.drawWhenMouseMoves, 1, 1, 0);
        toy.pen.lastPoint = Point{500, 350};
        SetLeftButton(toy.pen, c.left);
        SetRightButton(toy.pen, c.right);
        const std::optional<Segment> segment = OnWalkStep(toy);
        ASSERT_TRUE(segment);
        EXPECT_EQ(segment->from, (Point{500, 350}));
        EXPECT_EQ(segment->to, toy.pen.lastPoint);
        EXPECT_EQ(segment->erase, c.erase);
        EXPECT_TRUE(toy.pen.newStroke);
    }
}

TEST(TimerTick, StepsOnlyWithAutoDraw)
{
    Toy off = ToyWithFlags(1, 1, 1, 0);
    off.pen.lastPoint = Point{500, 350};
    EXPECT_FALSE(OnTimerTick(off));
    EXPECT_EQ(off.random.state, RandomSource{}.state);
    EXPECT_EQ(off.pen.lastPoint, (Point{500, 350}));

    // Auto draw alone is a drawing condition: the walk draws with every
    // other option off, and the pointer's next move starts its own stroke.
    Toy on = ToyWithFlags(0, 0, 0, 1);
    on.pen.lastPoint = Point{500, 350};
    on.pen.newStroke = false;
    const std::optional<Segment> segment = OnTimerTick(on);
    ASSERT_TRUE(segment);
    EXPECT_FALSE(segment->erase);
    EXPECT_EQ(segment->from, (Point{500, 350}));
    EXPECT_EQ(on.pen.lastPoint, segment->to);
    EXPECT_TRUE(on.pen.newStroke);
    const std::optional<Segment> pointer = OnPointerMove(on, Point{10, 10});
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->from, (Point{10, 10}));
}
