// Key stamps, the key sound and the auto-draw walk through the real window
// procedure, predicted by running the same core handlers on a copy.
#include <cstring>
#include <string>
#include <vector>

#include "tests/win/window_fixture.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// lParam of a key release: repeat count 1, previous state down, transition up.
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);

void ExpectBothShow(Point point, COLORREF colour)
{
    EXPECT_EQ(ColourText(CanvasPixel(point.x, point.y)), ColourText(colour))
        << "canvas at " << point.x << "," << point.y;
    EXPECT_EQ(ColourText(WindowPixel(point.x, point.y)), ColourText(colour))
        << "window at " << point.x << "," << point.y;
}

class KeyStamps : public WindowTest {
protected:
    // Seeds the live random source so that the next key release stamps a
    // blossom at least `room` pixels inside the client area, of a colour
    // that is neither black nor white and both sizes at least 9. Returns it.
    Blossom SeedForVisibleBlossom(int room)
    {
        const RECT client = ClientRect();
        for (uint32_t seed = 1; seed < 100000; ++seed) {
            Toy trial = toy();
            trial.random.state = seed;
            const Blossom blossom = OnKeyReleased(trial, client.right, client.bottom).blossom;
            const Point c = blossom.centre;
            if (c.x < room || c.y < room || c.x > client.right - room || c.y > client.bottom - room)
                continue;
            if (blossom.a < 9 || blossom.b < 9 || blossom.colour == kBlack || blossom.colour == kWhite)
                continue;
            toy().random.state = seed;
            return blossom;
        }
        ADD_FAILURE() << "no seed gives a blossom inside the window";
        return Blossom{};
    }

    // Stamps through WM_KEYUP and checks the live toy against the prediction.
    Blossom ReleaseKey(WPARAM key)
    {
        const RECT client = ClientRect();
        Toy expected = toy();
        const KeyStamp stamp = OnKeyReleased(expected, client.right, client.bottom);
        Send(WM_KEYUP, key, kKeyUpBits);
        ExpectSameToy(expected, toy());
        return stamp.blossom;
    }

    void CheckRing(bool margins)
    {
        const Blossom seeded = SeedForVisibleBlossom(120);
        const Point c = seeded.centre;
        PaintBothSurfaces(RECT{c.x - 110, c.y - 110, c.x + 110, c.y + 110}, kWhite);

        const Blossom blossom = ReleaseKey(VK_SPACE);
        ASSERT_EQ(blossom.margin, margins);
        ExpectBothShow(c, blossom.colour);

        // Along each axis the coloured blossom reaches half its larger
        // dimension, the black copy half of 5/2 that.
        const int larger = blossom.a > blossom.b ? blossom.a : blossom.b;
        const int colourReach = larger / 2;
        const int marginReach = MarginSize(larger) / 2;
        const int ring = (colourReach + marginReach) / 2;
        ASSERT_GE(ring - colourReach, 3);
        const COLORREF ringColour = margins ? kBlack : kWhite;
        for (Point d : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}}) {
            SCOPED_TRACE(d.x * 10 + d.y);
            ExpectBothShow({c.x + d.x * ring, c.y + d.y * ring}, ringColour);
            ExpectBothShow({c.x + d.x * (marginReach + 3), c.y + d.y * (marginReach + 3)}, kWhite);
        }
    }
};

TEST_F(KeyStamps, KeyReleaseStampsABlossomOfThePredictedColour)
{
    toy().pen.lastPoint = {321, 123};
    toy().pen.newStroke = false;
    const Blossom seeded = SeedForVisibleBlossom(100);
    const Blossom blossom = ReleaseKey('Q');
    EXPECT_TRUE(blossom.centre == seeded.centre);
    EXPECT_FALSE(blossom.margin);
    ExpectBothShow(blossom.centre, blossom.colour);
    // A stamp leaves the stroke alone.
    EXPECT_TRUE(toy().pen.lastPoint == (Point{321, 123}));
    EXPECT_FALSE(toy().pen.newStroke);
    EXPECT_EQ(toy().pen.lineColour, kInitialLineColour);

    // Nothing beyond the larger of the two ellipse dimensions.
    const int reach = (blossom.a > blossom.b ? blossom.a : blossom.b) / 2 + 2;
    const RECT around{blossom.centre.x - reach - 10, blossom.centre.y - reach - 10, blossom.centre.x + reach + 10,
                      blossom.centre.y + reach + 10};
    const Pixels canvas = GrabCanvas(around);
    EXPECT_EQ(canvas.Count(blossom.colour) + canvas.Count(kBlack), static_cast<int>(canvas.colours.size()));
    EXPECT_EQ(CountDifferent(GrabWindow(around), canvas), 0);
    for (Point offset : {Point{reach, 0}, Point{-reach - 1, 0}, Point{0, reach}, Point{0, -reach - 1}})
        ExpectBothShow({blossom.centre.x + offset.x, blossom.centre.y + offset.y}, kBlack);
}

TEST_F(KeyStamps, KeyPressAloneStampsNothing)
{
    const uint32_t state = toy().random.state;
    Send(WM_KEYDOWN, 'Q', 1);
    Send(WM_CHAR, 'q', 1);
    EXPECT_EQ(toy().random.state, state);
    EXPECT_EQ(GrabCanvas(ClientRect()).CountOther(kBlack), 0);
}

// Over a white patch, the black copy of a blossom shows as a black ring with
// margins on; with them off the white stays right up to the blossom.
TEST_F(KeyStamps, BlackCopyRingsTheBlossomWithMarginsOn)
{
    toy().options.drawWithBlackMargins = 1;
    CheckRing(true);
}

TEST_F(KeyStamps, NoRingWithMarginsOff)
{
    toy().options.drawWithBlackMargins = 0;
    CheckRing(false);
}

std::vector<std::string> g_played;

void RecordSound(const std::string& soundFile) { g_played.push_back(soundFile); }

// Puts a recording player into the core's table for one test and the
// shell's own back after it.
class KeySound : public KeyStamps {
protected:
    void SetUp() override
    {
        KeyStamps::SetUp();
        g_played.clear();
        TheProgram().platform.playKeySound = RecordSound;
    }
    void TearDown() override { TheProgram().platform.playKeySound = w32::PlayKeySound; }
};

TEST_F(KeySound, EveryKeyReleasePlaysTheSoundFileWhenOn)
{
    toy().options.keySound = 1;
    SetSoundFile(toy().options, "C:\\sounds\\bell.wav");
    ReleaseKey('A');
    ReleaseKey(VK_RETURN);
    EXPECT_EQ(g_played, (std::vector<std::string>{"C:\\sounds\\bell.wav", "C:\\sounds\\bell.wav"}));
}

TEST_F(KeySound, NoSoundWhenOffButStillAStamp)
{
    SetSoundFile(toy().options, "key.wav");
    const uint32_t state = toy().random.state;
    ReleaseKey('A');
    EXPECT_TRUE(g_played.empty());
    EXPECT_NE(toy().random.state, state);
}

TEST_F(KeySound, SoundFileFillingTheWholeFieldIsPlayedUpToItsEnd)
{
    toy().options.keySound = 1;
    std::memset(toy().options.soundFile, 'w', kSoundFileSize);  // no NUL anywhere
    ReleaseKey('A');
    ASSERT_EQ(g_played.size(), 1u);
    EXPECT_EQ(g_played[0], std::string(kSoundFileSize, 'w'));
}

TEST_F(KeySound, KeyPressPlaysNothing)
{
    toy().options.keySound = 1;
    SetSoundFile(toy().options, "key.wav");
    Send(WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(g_played.empty());
}

class AutoDraw : public WindowTest {};

TEST_F(AutoDraw, TimerTickDrawsTheWalkStepWhenOn)
{
    toy().options.autoDraw = 1;
    toy().pen.lastPoint = {640, 380};
    for (int tick = 0; tick < 8; ++tick) {
        SCOPED_TRACE(tick);
        Toy expected = toy();
        const std::optional<Segment> segment = OnTimerTick(expected);
        ASSERT_TRUE(segment);
        Send(WM_TIMER, w32::kWalkTimer, 0);
        ExpectSameToy(expected, toy());
        EXPECT_TRUE(toy().pen.newStroke) << "a walk step lifts the pen";
        ExpectBothShow(segment->to, segment->colour);
    }
}

TEST_F(AutoDraw, TimerTickDoesNothingWhenOff)
{
    // Other drawing conditions do not make a tick draw.
    toy().options.drawWhenMouseMoves = 1;
    toy().pen.leftButtonDown = true;
    MovePointer(500, 300);
    MovePointer(600, 350);
    const RECT all = ClientRect();
    const Pixels before = GrabCanvas(all);
    const Toy state = toy();
    Send(WM_TIMER, w32::kWalkTimer, 0);
    Send(WM_TIMER, 7, 0);
    ExpectSameToy(state, toy());
    EXPECT_EQ(CountDifferent(GrabCanvas(all), before), 0);
    EXPECT_EQ(CountDifferent(GrabWindow(all), before), 0);
}

TEST_F(AutoDraw, AnyTimerIdentifierTicks)
{
    toy().options.autoDraw = 1;
    Toy expected = toy();
    ASSERT_TRUE(OnTimerTick(expected));
    Send(WM_TIMER, 42, 0);
    ExpectSameToy(expected, toy());
}

TEST_F(AutoDraw, WheelStepsTheWalkEvenWhenAutoDrawIsOff)
{
    toy().pen.lastPoint = {640, 380};
    const Pixels before = GrabCanvas(ClientRect());
    Toy expected = toy();
    EXPECT_FALSE(OnWalkStep(expected)) << "nothing draws with every condition off";
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0);
    ExpectSameToy(expected, toy());
    EXPECT_FALSE(toy().pen.lastPoint == (Point{640, 380}));
    EXPECT_EQ(CountDifferent(GrabCanvas(ClientRect()), before), 0);

    // With drawing on, one wheel message is one segment, whatever its distance.
    toy().options.drawWhenMouseMoves = 1;
    expected = toy();
    const std::optional<Segment> segment = OnWalkStep(expected);
    ASSERT_TRUE(segment);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-5 * WHEEL_DELTA)), 0);
    ExpectSameToy(expected, toy());
    ExpectBothShow(segment->to, segment->colour);
}

}  // namespace
