// Replaying a session from its events: the random source is never reseeded,
// so a script of pointer, button, key and timer events gives back exactly the
// marks the program drew. Parsing one line and running one event are kept
// separate so that both can be tested on their own.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "core/program.h"
#include "tools/replay/headless_platform.h"

enum class ScriptEventKind {
    None,  // a blank or comment-only line
    Size,
    Client,
    Flags,
    SoundFile,
    Move,
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    Key,
    Wheel,
    Tick,
    Lift,
    Clear,
    TouchDown,
    TouchMove,
    TouchUp,
};

struct ScriptEvent {
    ScriptEventKind kind = ScriptEventKind::None;
    // size, client and move use the first two; tdown and tmove the first
    // three (the finger's id, as its 32 bits, then the point); tup the first.
    std::array<int32_t, kFlagCount> numbers{};
    std::string text;                           // soundfile only
};

// One parsed line: an event, or an error text saying what is wrong with it.
struct ParsedLine {
    ScriptEvent event;
    std::string error;  // empty when the line is good
};

// Parses one script line (without its newline; a trailing CR is ignored).
ParsedLine ParseScriptLine(const std::string& line);

constexpr int32_t kDefaultClientWidth = 1024;
constexpr int32_t kDefaultClientHeight = 768;
constexpr int32_t kLargestClientSize = 32767;

// The program as it stands at start-up on the headless platform, plus the
// canvas's size and the client size, which may change after the canvas has
// been made.
struct ReplaySession {
    Program program;
    CanvasBounds canvas{kDefaultClientWidth, kDefaultClientHeight};
    int32_t clientWidth = kDefaultClientWidth;
    int32_t clientHeight = kDefaultClientHeight;
    bool canvasMade = false;  // set by the first client or input event
};

// A session with the default options and the default canvas and client size.
ReplaySession StartReplay();

// Runs one event, writing the marks it makes to `out`, one line each.
// Returns an error text (a size once the canvas is made), else empty.
std::string RunScriptEvent(ReplaySession& session, const ScriptEvent& event, std::ostream& out);


enum class ReplayResult { Done, BadLine, ReadFailed };

// Reads a whole script from `in`, line by line, running each event as it is
// read. On a bad line nothing more is read and `error` gets the line number,
// the reason and the line itself.
ReplayResult RunScript(std::istream& in, std::ostream& out, std::string& error);

// scrivlet-replay's command line: [SCRIPT], where a missing SCRIPT or "-"
// is standard input, and -h or --help asks for the usage.
struct ReplayCommandLine {
    enum class Kind { Script, Help, Usage } kind = Kind::Usage;
    std::string script;  // "-" for standard input
};
ReplayCommandLine ParseReplayCommandLine(int argc, const char* const* argv);
