// Event scripts of scrivlet-replay: what a line means, which lines are
// refused and why, and what running a script prints.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/replay/replay_script.h"

namespace {

struct RunOutput {
    ReplayResult result;
    std::string out;
    std::string error;
};

RunOutput RunText(const std::string& script)
{
    std::istringstream in(script);
    std::ostringstream out;
    RunOutput run;
    run.result = RunScript(in, out, run.error);
    run.out = out.str();
    return run;
}

}  // namespace

TEST(ReplayParse, EveryEventWord)
{
    struct Case {
        const char* line;
        ScriptEventKind kind;
    } cases[] = {
        {"size 640 480", ScriptEventKind::Size},  {"client 0 0", ScriptEventKind::Client},
        {"flags 1 0 1 0 1 0", ScriptEventKind::Flags}, {"soundfile a.wav", ScriptEventKind::SoundFile},
        {"move -5 7", ScriptEventKind::Move},     {"ldown", ScriptEventKind::LeftDown},
        {"lup", ScriptEventKind::LeftUp},         {"rdown", ScriptEventKind::RightDown},
        {"rup", ScriptEventKind::RightUp},        {"key", ScriptEventKind::Key},
        {"wheel", ScriptEventKind::Wheel},        {"tick", ScriptEventKind::Tick},
        {"lift", ScriptEventKind::Lift},          {"clear", ScriptEventKind::Clear},
        {"tdown 1 5 6", ScriptEventKind::TouchDown}, {"tmove 1 -5 6", ScriptEventKind::TouchMove},
        {"tup 1", ScriptEventKind::TouchUp},
    };
    for (const Case& c : cases) {
        const ParsedLine parsed = ParseScriptLine(c.line);
        EXPECT_EQ(parsed.error, "") << c.line;
        EXPECT_EQ(parsed.event.kind, c.kind) << c.line;
    }
}

TEST(ReplayParse, NumbersSpacingCommentsAndLineEnds)
{
    ParsedLine parsed = ParseScriptLine("  move\t-2147483648   2147483647  # far away\r");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.event.numbers[0], INT32_MIN);
    EXPECT_EQ(parsed.event.numbers[1], INT32_MAX);

    parsed = ParseScriptLine("flags 2 0 -1 0 007 1");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.event.numbers, (std::array<int32_t, kFlagCount>{2, 0, -1, 0, 7, 1}));

    parsed = ParseScriptLine("size 32767 1");
    EXPECT_EQ(parsed.error, "");
    parsed = ParseScriptLine("key# no space needed before a comment");
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.event.kind, ScriptEventKind::Key);

    for (const char* blank : {"", "   ", "\t", "# a comment", "   # indented comment", "\r"}) {
        parsed = ParseScriptLine(blank);
        EXPECT_EQ(parsed.error, "") << blank;
        EXPECT_EQ(parsed.event.kind, ScriptEventKind::None) << blank;
    }
}

TEST(ReplayParse, SoundFileTakesTheRestOfTheLine)
{
    ParsedLine parsed = ParseScriptLine("soundfile   C:\\Sounds\\big  bell.wav   # the loud one");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.event.text, "C:\\Sounds\\big  bell.wav");

    parsed = ParseScriptLine("soundfile");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.event.text, "");

    parsed = ParseScriptLine("soundfile " + std::string(259, 'x'));
    EXPECT_EQ(parsed.error, "");
    parsed = ParseScriptLine("soundfile " + std::string(260, 'x'));
    EXPECT_EQ(parsed.error, "sound file name is longer than 259 bytes");
    parsed = ParseScriptLine(std::string("soundfile a\0b", 13));
    EXPECT_EQ(parsed.error, "sound file name contains a NUL byte");
}

TEST(ReplayParse, BadLinesSayWhatIsWrong)
{
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"jump 3 4", "unknown event \"jump\""},
        {"MOVE 3 4", "unknown event \"MOVE\""},
        {"soundfilex a", "unknown event \"soundfilex\""},
        {"move 3", "move takes 2 numbers, got 1"},
        {"move 3 4 5", "move takes 2 numbers, got 3"},
        {"move", "move takes 2 numbers, got 0"},
        {"flags 1 1 1 1 1", "flags takes 6 numbers, got 5"},
        {"key 1", "key takes no arguments"},
        {"clear now", "clear takes no arguments"},
        {"move 3 four", "\"four\" is not a decimal number"},
        {"move 3 4x", "\"4x\" is not a decimal number"},
        {"move +3 4", "\"+3\" is not a decimal number"},
        {"move 3.5 4", "\"3.5\" is not a decimal number"},
        {"move - 4", "\"-\" is not a decimal number"},
        {"move 0x10 4", "\"0x10\" is not a decimal number"},
        {"move 2147483648 0", "\"2147483648\" is out of range for a 32-bit number"},
        {"move 0 -2147483649", "\"-2147483649\" is out of range for a 32-bit number"},
        {"move 99999999999999999999 0", "\"99999999999999999999\" is out of range for a 32-bit number"},
        {"flags 1 1 1 1 1 4294967296", "\"4294967296\" is out of range for a 32-bit number"},
        {"size 0 768", "width 0 is out of range 1..32767"},
        {"size 1024 32768", "height 32768 is out of range 1..32767"},
        {"size -1 768", "width -1 is out of range 1..32767"},
        {"client 32768 10", "width 32768 is out of range 0..32767"},
        {"client 10 -1", "height -1 is out of range 0..32767"},
        {"tdown 1 2", "tdown takes 3 numbers, got 2"},
        {"tup", "tup takes 1 number, got 0"},
        {"tup 1 2 3", "tup takes 1 number, got 3"},
        {"tdown 4294967296 0 0", "\"4294967296\" is out of range for a 32-bit number"},
        {"tmove -2147483649 0 0", "\"-2147483649\" is out of range for a 32-bit number"},
        {"tdown 1 4294967295 0", "\"4294967295\" is out of range for a 32-bit number"},
    };
    for (const Case& c : cases) {
        const ParsedLine parsed = ParseScriptLine(c.line);
        EXPECT_EQ(parsed.error, c.error) << c.line;
    }
}

TEST(ReplayRun, TheExampleOfTwoMoves)
{
    const RunOutput run = RunText("move 10 10\nmove 30 10\n");
    EXPECT_EQ(run.result, ReplayResult::Done);
    EXPECT_EQ(run.out, "segment 10 10 10 10 18 5AC95D 0\nsegment 10 10 30 10 18 5BC85A 1\n");
}

TEST(ReplayRun, ABadLineStopsTheScriptButKeepsWhatWasPrinted)
{
    const RunOutput run = RunText("# start\nmove 10 10\n\nmove 20\nmove 30 10\n");
    EXPECT_EQ(run.result, ReplayResult::BadLine);
    EXPECT_EQ(run.out, "segment 10 10 10 10 18 5AC95D 0\n");
    EXPECT_EQ(run.error, "line 4: \"move 20\": move takes 2 numbers, got 1");
}

TEST(ReplayRun, SizeOnlyBeforeTheCanvasIsMade)
{
    // flags and soundfile do not make the canvas; the last size wins.
    RunOutput run = RunText("size 10 10\nflags 0 0 0 0 0 0\nsoundfile x\r\nsize 200 100\nkey\n");
    EXPECT_EQ(run.result, ReplayResult::Done);
    // x = 41 * 200 / 32767, y = 18467 * 100 / 32767; no margin, no sound.
    EXPECT_EQ(run.out, "stamp 0 56 16 53 597A95 0\n");

    for (const char* first : {"client 100 100", "move 1 1", "ldown", "lup", "rdown", "rup", "key", "wheel",
                              "tick", "lift", "clear"}) {
        run = RunText(std::string(first) + "\r\nsize 100 100\r\n");
        EXPECT_EQ(run.result, ReplayResult::BadLine) << first;
        EXPECT_EQ(run.error, "line 2: \"size 100 100\": size must come before the first client line and the "
                             "first input event")
            << first;
    }
}

TEST(ReplayRun, SizeSetsTheCanvasForTheWalkAndTheClientForStamps)
{
    // A canvas 1 x 1: every walk step ends inside it.
    RunOutput run = RunText("size 1 1\nflags 0 0 0 1 0 0\nmove 0 0\ntick\ntick\ntick\n");
    ASSERT_EQ(run.result, ReplayResult::Done);
    std::istringstream lines(run.out);
    std::string word;
    int x0, y0, x1, y1, segments = 0;
    while (lines >> word >> x0 >> y0 >> x1 >> y1) {
        EXPECT_EQ(word, "segment");
        EXPECT_LE(x1, 1);
        EXPECT_LE(y1, 1);
        ++segments;
        lines.ignore(100, '\n');
    }
    EXPECT_EQ(segments, 4);

    // The client may later shrink or grow: stamps use the client, not the canvas.
    run = RunText("size 50 50\nclient 0 0\nkey\nclient 20000 3\nclear\n");
    ASSERT_EQ(run.result, ReplayResult::Done);
    EXPECT_EQ(run.out.substr(0, 10), "stamp 0 0 ");
    EXPECT_NE(run.out.find("\nclear 20000 3\n"), std::string::npos);
}

TEST(ReplayRun, KeySoundPrintsTheSoundFileAfterTheStamp)
{
    RunOutput run = RunText("soundfile  my bell.wav \nkey\n");
    ASSERT_EQ(run.result, ReplayResult::Done);
    EXPECT_EQ(run.out.substr(0, 6), "stamp ");
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), "sound my bell.wav\n");

    run = RunText("key\n");
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1), "sound key.wav\n");

    run = RunText("flags 1 1 1 0 0 0\nkey\n");
    EXPECT_EQ(run.out.find("sound"), std::string::npos);
}

TEST(ReplayRun, EventsGoThroughTheSameCoreAsTheWindow)
{
    // The same events on a toy directly and through a script give the same marks.
    ReplaySession session = StartReplay();
    Toy& toy = session.program.toy;
    toy.options.autoDraw = 1;
    std::ostringstream expected;
    expected << FormatSegment(*OnPointerMove(toy, Point{300, 200}));
    expected << '\n' << FormatSegment(*OnTimerTick(toy));
    SetRightButton(toy.pen, true);
    expected << '\n' << FormatSegment(*OnWalkStep(toy));
    SetRightButton(toy.pen, false);
    EXPECT_FALSE(OnPointerMove(toy, Point{-1, 5}));
    expected << '\n' << FormatSegment(*OnPointerMove(toy, Point{400, 100}));
    expected << '\n' << FormatBlossom(OnKeyReleased(toy, 1024, 768).blossom);
    expected << "\nsound key.wav\n";

    const RunOutput run = RunText("flags 1 1 1 1 1 0\nmove 300 200\ntick\nrdown\nwheel\nrup\n"
                              "move -1 5\nmove 400 100\nkey\n");
    EXPECT_EQ(run.result, ReplayResult::Done);
    EXPECT_EQ(run.out, expected.str());
    EXPECT_NE(run.out.find(" 000000 "), std::string::npos);  // the erasing wheel step
}

TEST(ReplayFormat, LinesOfSegmentsAndStamps)
{
    Segment segment;
    segment.from = Point{-3, 4};
    segment.to = Point{70000, 5};
    segment.width = 75;
    segment.colour = MakeColour(0x0A, 0xFF, 0x01);
    segment.margin = true;
    EXPECT_EQ(FormatSegment(segment), "segment -3 4 70000 5 75 0AFF01 1");

    Blossom blossom;
    blossom.centre = Point{12, 0};
    blossom.a = 5;
    blossom.b = 65;
    blossom.colour = MakeColour(0xAB, 0x00, 0xCD);
    EXPECT_EQ(FormatBlossom(blossom), "stamp 12 0 5 65 AB00CD 0");
}
