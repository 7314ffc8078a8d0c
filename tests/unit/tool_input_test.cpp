// What the tools make of what they are given: scrivlet-render's marks and
// both tools' command lines. A mangled mark or argument is refused with a
// reason, never thrown out of the tool or handed on as a huge canvas.
#include <gtest/gtest.h>

#include <vector>

#include "tools/render/marks.h"
#include "tools/replay/replay_script.h"

TEST(ToolInput, MarksReadBackOrAreBad)
{
    const struct {
        const char* line;
        MarkKind kind;
    } cases[] = {
        {"segment 1 2 3 4 8 FF8000 1", MarkKind::Segment},
        {"stamp 5 6 7 8 00ff00 0", MarkKind::Stamp},
        {"clear 640 480", MarkKind::Clear},
        {"sound key.wav", MarkKind::Skip},
        {"", MarkKind::Skip},
        // Colours that are not six hex digits once threw out of the renderer.
        {"segment 1 2 3 4 8 zzzzzz 1", MarkKind::Bad},
        {"segment 1 2 3 4 8 -12345 1", MarkKind::Bad},
        {"segment 1 2 3 4 8 0x1234 1", MarkKind::Bad},
        {"segment 1 2 3 4 8 FF80001 1", MarkKind::Bad},
        {"segment 1 2 3 4 99999999999 FF8000 1", MarkKind::Bad},
        {"stamp 5 6 7", MarkKind::Bad},
        {"blossom 1 2 3 4 000000 0", MarkKind::Bad},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMark(c.line).kind, c.kind) << c.line;
    const Mark mark = ParseMark("segment 1 2 3 4 8 fF8000 1");
    EXPECT_EQ(mark.segment.colour, MakeColour(0xFF, 0x80, 0x00));
    EXPECT_TRUE(mark.segment.margin);
}

TEST(ToolInput, RenderCommandLine)
{
    const struct {
        std::vector<const char*> argv;
        int width;  // 0: refused
        int height;
    } cases[] = {
        {{"render", "640", "480", "out.ppm"}, 640, 480},
        {{"render", "1", "8192", "out.ppm"}, 1, 8192},
        {{"render", "0", "480", "out.ppm"}, 0, 0},
        {{"render", "640", "8193", "out.ppm"}, 0, 0},
        {{"render", "-640", "480", "out.ppm"}, 0, 0},
        {{"render", " 640", "480", "out.ppm"}, 0, 0},
        {{"render", "640x", "480", "out.ppm"}, 0, 0},
        {{"render", "99999999999999999999", "480", "out.ppm"}, 0, 0},
        {{"render", "640", "480", ""}, 0, 0},
        {{"render", "640", "480"}, 0, 0},
        {{"render", "640", "480", "out.ppm", "more"}, 0, 0},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto arguments = ParseRenderArguments(static_cast<int>(c.argv.size()), c.argv.data(), error);
        SCOPED_TRACE(c.argv.size() > 1 ? c.argv[1] : "");
        ASSERT_EQ(arguments.has_value(), c.width != 0) << error;
        EXPECT_EQ(error.empty(), c.width != 0);
        if (arguments) {
            EXPECT_EQ(arguments->width, c.width);
            EXPECT_EQ(arguments->height, c.height);
            EXPECT_EQ(arguments->output, "out.ppm");
        }
    }
}

TEST(ToolInput, ReplayCommandLine)
{
    using Kind = ReplayCommandLine::Kind;
    const struct {
        std::vector<const char*> argv;
        Kind kind;
        const char* script;
    } cases[] = {
        {{"replay"}, Kind::Script, "-"},
        {{"replay", "-"}, Kind::Script, "-"},
        {{"replay", "a.script"}, Kind::Script, "a.script"},
        {{"replay", ""}, Kind::Script, ""},
        {{"replay", "--help"}, Kind::Help, "--help"},
        {{"replay", "-h"}, Kind::Help, "-h"},
        {{"replay", "a", "b"}, Kind::Usage, ""},
    };
    for (const auto& c : cases) {
        const ReplayCommandLine command = ParseReplayCommandLine(static_cast<int>(c.argv.size()), c.argv.data());
        EXPECT_EQ(command.kind, c.kind) << c.argv.size();
        EXPECT_EQ(command.script, c.script);
    }
}
