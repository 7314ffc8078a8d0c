// Pointer strokes through the real window procedure: what a drag leaves on
// the canvas and on the window, erasing, Clear, repaint, and broken strokes.
#include <optional>
#include <vector>

#include "res/resource.h"
#include "tests/win/window_fixture.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

class Strokes : public WindowTest {
protected:
    // Moves the pointer through `points`, predicting each segment with the
    // core on a copy of the live toy first.
    std::vector<Segment> Drag(const std::vector<Point>& points, WPARAM keys)
    {
        std::vector<Segment> segments;
        for (Point point : points) {
            Toy expected = toy();
            const std::optional<Segment> segment = OnPointerMove(expected, Point{point.x, point.y});
            MovePointer(point.x, point.y, keys);
            ExpectSameToy(expected, toy());
            if (segment)
                segments.push_back(*segment);
        }
        return segments;
    }

    // Both surfaces show `colour` at `point`.
    static void ExpectColourAt(Point point, COLORREF colour)
    {
        EXPECT_EQ(ColourText(CanvasPixel(point.x, point.y)), ColourText(colour))
            << "canvas at " << point.x << "," << point.y;
        EXPECT_EQ(ColourText(WindowPixel(point.x, point.y)), ColourText(colour))
            << "window at " << point.x << "," << point.y;
    }
};

TEST_F(Strokes, LeftDragPaintsEverySegmentInItsPredictedColour)
{
    PressLeft(200, 300);
    const std::vector<Segment> segments =
        Drag({{200, 300}, {260, 300}, {320, 300}, {380, 300}, {440, 300}}, MK_LBUTTON);
    ReleaseLeft(440, 300);

    // The first move of a stroke is a dot at the pointer, then one segment per move.
    ASSERT_EQ(segments.size(), 5u);
    EXPECT_TRUE(segments[0].from == segments[0].to);
    for (size_t i = 1; i < segments.size(); ++i) {
        const Segment& segment = segments[i];
        EXPECT_FALSE(segment.erase);
        EXPECT_FALSE(segment.margin) << "margins are off";
        EXPECT_NE(segment.colour, segments[i - 1].colour) << "the colour drifts with every segment";
        SCOPED_TRACE(i);
        ExpectColourAt(Midpoint(segment), segment.colour);
    }
    ExpectColourAt(segments.back().to, segments.back().colour);
    // The widest pen is 20 pixels: 15 pixels off the line stays black.
    ExpectColourAt({320, 285}, kBlack);
    ExpectColourAt({320, 315}, kBlack);
    ExpectColourAt({175, 300}, kBlack);
    ExpectColourAt({465, 300}, kBlack);
}

TEST_F(Strokes, MovingWithNoButtonAndNoDrawingOptionPaintsNothing)
{
    const std::vector<Segment> segments = Drag({{300, 300}, {400, 350}, {500, 300}}, 0);
    EXPECT_TRUE(segments.empty());
    const RECT all = ClientRect();
    EXPECT_EQ(GrabCanvas(all).CountOther(kBlack), 0);
    // The last point still follows the pointer, so drawing continues from there.
    EXPECT_TRUE(toy().pen.lastPoint == (Point{500, 300}));
}

TEST_F(Strokes, ButtonsTakeTheCaptureAndEitherReleaseGivesItBack)
{
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(300, 300);
    const Toy moved = toy();
    const Pixels before = GrabCanvas(ClientRect());

    PressLeft(300, 300);
    EXPECT_EQ(GetCapture(), window());
    PressRight(300, 300);
    ReleaseRight(300, 300);
    EXPECT_EQ(GetCapture(), nullptr) << "a release frees the pointer even with the left button held";
    EXPECT_TRUE(toy().pen.leftButtonDown);
    EXPECT_FALSE(toy().pen.rightButtonDown);
    ReleaseLeft(300, 300);
    EXPECT_FALSE(toy().pen.leftButtonDown);

    // Pressing and releasing without moving neither draws nor lifts the pen.
    ExpectSameToy(moved, toy());
    EXPECT_EQ(CountDifferent(GrabCanvas(ClientRect()), before), 0);
}

TEST_F(Strokes, RightDragLeavesBlackAcrossEarlierColour)
{
    PressLeft(200, 400);
    const std::vector<Segment> line = Drag({{200, 400}, {400, 400}, {600, 400}}, MK_LBUTTON);
    ReleaseLeft(600, 400);
    ASSERT_EQ(line.size(), 3u);
    ExpectColourAt({400, 400}, line.back().colour);

    // No drawing option is on, so the right button erases even with its option
    // off. The pointer first goes to the eraser's start with no button held.
    EXPECT_TRUE(Drag({{400, 320}}, 0).empty());
    PressRight(400, 320);
    const std::vector<Segment> erased = Drag({{400, 320}, {400, 400}, {400, 480}}, MK_RBUTTON);
    ReleaseRight(400, 480);
    ASSERT_EQ(erased.size(), 3u);
    for (const Segment& segment : erased) {
        EXPECT_TRUE(segment.erase);
        EXPECT_EQ(segment.colour, kBlack);
        EXPECT_GE(segment.width, 50);
    }
    // The eraser is at least 50 wide: 20 pixels either side of x=400 is black.
    const RECT crossing{380, 390, 421, 411};
    EXPECT_EQ(GrabCanvas(crossing).CountOther(kBlack), 0);
    EXPECT_EQ(GrabWindow(crossing).CountOther(kBlack), 0);
    // Outside the eraser the earlier line keeps its colour.
    ExpectColourAt({300, 400}, line[1].colour);
    ExpectColourAt({600, 400}, line[2].colour);
    EXPECT_FALSE(toy().pen.rightButtonDown);
}

TEST_F(Strokes, RightButtonDrawsColourWhileMovingDrawsAndEraseIsOff)
{
    toy().options.drawWhenMouseMoves = 1;
    PressRight(300, 200);
    std::vector<Segment> segments = Drag({{300, 200}, {400, 200}}, MK_RBUTTON);
    ReleaseRight(400, 200);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_FALSE(segments[1].erase);
    ExpectColourAt(Midpoint(segments[1]), segments[1].colour);
    EXPECT_NE(segments[1].colour, kBlack);

    // The same drag with erasing on wipes it out again.
    toy().options.eraseWithRightButton = 1;
    LiftPen(toy().pen);
    PressRight(300, 200);
    segments = Drag({{300, 200}, {400, 200}}, MK_RBUTTON);
    ReleaseRight(400, 200);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_TRUE(segments[1].erase);
    const RECT line{290, 185, 411, 216};
    EXPECT_EQ(GrabCanvas(line).CountOther(kBlack), 0);
    EXPECT_EQ(GrabWindow(line).CountOther(kBlack), 0);
}

TEST_F(Strokes, BlackMarginCutsThroughAnEarlierLine)
{
    PressLeft(200, 500);
    const std::vector<Segment> first = Drag({{200, 500}, {400, 500}, {600, 500}}, MK_LBUTTON);
    ReleaseLeft(600, 500);
    ASSERT_EQ(first.size(), 3u);

    toy().options.drawWithBlackMargins = 1;
    LiftPen(toy().pen);
    PressLeft(500, 420);
    const std::vector<Segment> second = Drag({{500, 420}, {500, 580}}, MK_LBUTTON);
    ReleaseLeft(500, 580);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_FALSE(second[0].margin) << "a dot is not longer than the base width";
    ASSERT_TRUE(second[1].margin);

    // The new line is at most 20 wide and its margin 37: 14 pixels beside it,
    // on the old line, the margin has blackened the old colour.
    ExpectColourAt({500, 500}, second[1].colour);
    ExpectColourAt({486, 500}, kBlack);
    ExpectColourAt({514, 500}, kBlack);
    ExpectColourAt({470, 500}, first[2].colour);
}

TEST_F(Strokes, ClearBlackensCanvasAndWindow)
{
    PressLeft(100, 100);
    Drag({{100, 100}, {700, 600}, {1100, 150}}, MK_LBUTTON);
    ReleaseLeft(1100, 150);
    Send(WM_KEYUP, 'A', 0xC0000001);
    const RECT all = ClientRect();
    ASSERT_GT(GrabCanvas(all).CountOther(kBlack), 1000);
    ASSERT_GT(GrabWindow(all).CountOther(kBlack), 1000);

    const Toy before = toy();
    Send(WM_COMMAND, IDM_CLEAR, 0);
    EXPECT_EQ(GrabCanvas(all).CountOther(kBlack), 0);
    EXPECT_EQ(GrabWindow(all).CountOther(kBlack), 0);
    // Clear leaves the pen alone: colour and last point go on.
    ExpectSameToy(before, toy());

    // A repaint does not bring the cleared marks back.
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(GrabWindow(all).CountOther(kBlack), 0);
}

TEST_F(Strokes, CommandWithNonZeroHighWordDoesNotClear)
{
    PressLeft(300, 300);
    Drag({{300, 300}, {500, 300}}, MK_LBUTTON);
    ReleaseLeft(500, 300);
    const RECT area{280, 280, 520, 320};
    const int marked = GrabCanvas(area).CountOther(kBlack);
    ASSERT_GT(marked, 0);
    // An accelerator or control notification carrying the same low word is not a menu pick.
    Send(WM_COMMAND, MAKEWPARAM(IDM_CLEAR, 1), 0);
    EXPECT_EQ(GrabCanvas(area).CountOther(kBlack), marked);
}

TEST_F(Strokes, RepaintPutsTheCanvasBackOnTheWindow)
{
    PressLeft(250, 250);
    Drag({{250, 250}, {400, 300}, {550, 250}, {420, 420}}, MK_LBUTTON);
    ReleaseLeft(420, 420);
    Send(WM_KEYUP, 'B', 0xC0000001);

    const RECT region{300, 200, 500, 400};
    const Pixels canvas = GrabCanvas(region);
    ASSERT_GT(canvas.CountOther(kBlack), 500) << "the region holds part of the stroke";

    const COLORREF magenta = RGB(255, 0, 255);
    HDC surface = GetDC(window());
    HBRUSH brush = CreateSolidBrush(magenta);
    FillRect(surface, &region, brush);
    DeleteObject(brush);
    ReleaseDC(window(), surface);
    ASSERT_EQ(GrabWindow(region).Count(magenta), 200 * 200);

    InvalidateRect(window(), &region, FALSE);
    UpdateWindow(window());
    const Pixels repainted = GrabWindow(region);
    EXPECT_EQ(CountDifferent(repainted, canvas), 0);
    EXPECT_EQ(repainted.Count(magenta), 0);
    EXPECT_EQ(CountDifferent(GrabCanvas(region), canvas), 0) << "a repaint only reads the canvas";
}

TEST_F(Strokes, NegativePositionBreaksTheStroke)
{
    toy().options.drawWhenMouseMoves = 1;

    // x left of the client area, packed as a 16-bit negative number.
    Drag({{100, 500}, {160, 500}}, 0);
    Toy expected = toy();
    EXPECT_FALSE(OnPointerMove(expected, Point{-5, 500}));
    MovePointer(-5, 500);
    ExpectSameToy(expected, toy());
    EXPECT_TRUE(toy().pen.newStroke);
    std::vector<Segment> after = Drag({{400, 500}}, 0);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_TRUE(after[0].from == after[0].to) << "the next move starts a new stroke";
    ExpectColourAt({400, 500}, after[0].colour);
    ExpectColourAt({280, 500}, kBlack);

    // y above the client area.
    Drag({{700, 600}, {760, 600}}, 0);
    MovePointer(760, -3);
    EXPECT_TRUE(toy().pen.newStroke);
    after = Drag({{1000, 600}}, 0);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_TRUE(after[0].from == after[0].to);
    ExpectColourAt({880, 600}, kBlack);
}

TEST_F(Strokes, PositionRightOfTheClientAreaContinuesTheStroke)
{
    const RECT client = ClientRect();
    PressLeft(client.right - 280, 100);
    const std::vector<Segment> segments =
        Drag({{client.right - 280, 100}, {client.right + 50, 100}, {client.right - 280, 200}}, MK_LBUTTON);
    ReleaseLeft(client.right - 280, 200);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_FALSE(toy().pen.newStroke);
    // The way back from beyond the edge is drawn inside the window.
    ExpectColourAt(Midpoint(segments[2]), segments[2].colour);
}

}  // namespace
