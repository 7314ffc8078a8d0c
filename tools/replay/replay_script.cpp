// Event scripts: one event per line, run by the same program both shells
// run, on a headless platform, so the marks printed are the marks the
// program draws.
#include "tools/replay/replay_script.h"

#include "res/resource.h"
#include "tools/replay/headless_platform.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>
#include <vector>

namespace {

struct Keyword {
    const char* word;
    ScriptEventKind kind;
    int numberCount;
    bool startsWithId = false;  // a finger's id: any 32-bit number, signed or not
};

constexpr Keyword kKeywords[] = {
    {"size", ScriptEventKind::Size, 2},
    {"client", ScriptEventKind::Client, 2},
    {"flags", ScriptEventKind::Flags, kFlagCount},
    {"soundfile", ScriptEventKind::SoundFile, 0},
    {"move", ScriptEventKind::Move, 2},
    {"ldown", ScriptEventKind::LeftDown, 0},
    {"lup", ScriptEventKind::LeftUp, 0},
    {"rdown", ScriptEventKind::RightDown, 0},
    {"rup", ScriptEventKind::RightUp, 0},
    {"key", ScriptEventKind::Key, 0},
    {"wheel", ScriptEventKind::Wheel, 0},
    {"tick", ScriptEventKind::Tick, 0},
    {"lift", ScriptEventKind::Lift, 0},
    {"clear", ScriptEventKind::Clear, 0},
    {"tdown", ScriptEventKind::TouchDown, 3, true},
    {"tmove", ScriptEventKind::TouchMove, 3, true},
    {"tup", ScriptEventKind::TouchUp, 1, true},
};

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string WithoutComment(const std::string& line)
{
    std::string text = line.substr(0, line.find('#'));
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

std::string Trimmed(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSpace(text[i]))
            ++i;
        const size_t start = i;
        while (i < text.size() && !IsSpace(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

// A whole word of decimal digits with an optional leading minus, as a
// signed 32-bit number.
bool ParseNumber(const std::string& word, int32_t& value, std::string& error, bool id = false)
{
    int64_t wide = 0;
    const char* end = word.data() + word.size();
    const auto [stop, status] = std::from_chars(word.data(), end, wide);
    if (status == std::errc::invalid_argument || stop != end) {
        error = "\"" + word + "\" is not a decimal number";
        return false;
    }
    const int64_t highest = id ? int64_t{UINT32_MAX} : int64_t{INT32_MAX};
    if (status == std::errc::result_out_of_range || wide < INT32_MIN || wide > highest) {
        error = "\"" + word + "\" is out of range for a 32-bit number";
        return false;
    }
    value = static_cast<int32_t>(static_cast<uint32_t>(wide));
    return true;
}

bool CheckRange(const char* what, int32_t value, int32_t low, int32_t high, std::string& error)
{
    if (value >= low && value <= high)
        return true;
    error = std::string(what) + " " + std::to_string(value) + " is out of range " + std::to_string(low) + ".." +
            std::to_string(high);
    return false;
}

// The rest of the line after the keyword, with the spaces around it dropped.
std::string RestAfterFirstWord(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    while (i < text.size() && !IsSpace(text[i]))
        ++i;
    return Trimmed(text.substr(i));
}

// A coordinate as the Windows program's window message carries it: 16 bits,
// signed, so that a script gives the marks the Windows program would draw.
int32_t AsMessageCarriesIt(int32_t coordinate) { return static_cast<int16_t>(coordinate & 0xFFFF); }

// The moment the program makes its canvas: from here on its size is fixed.
void MakeCanvas(ReplaySession& session)
{
    if (!session.canvasMade)
        CanvasMade(session.program, session.canvas);
    session.canvasMade = true;
}

}  // namespace

ParsedLine ParseScriptLine(const std::string& line)
{
    ParsedLine parsed;
    const std::string text = WithoutComment(line);
    const std::vector<std::string> words = SplitWords(text);
    if (words.empty())
        return parsed;

    const Keyword* keyword = nullptr;
    for (const Keyword& candidate : kKeywords)
        if (words[0] == candidate.word)
            keyword = &candidate;
    if (!keyword) {
        parsed.error = "unknown event \"" + words[0] + "\"";
        return parsed;
    }

    ScriptEvent& event = parsed.event;
    if (keyword->kind == ScriptEventKind::SoundFile) {
        event.text = RestAfterFirstWord(text);
        if (event.text.size() >= static_cast<size_t>(kSoundFileSize)) {
            parsed.error = "sound file name is longer than " + std::to_string(kSoundFileSize - 1) + " bytes";
            return parsed;
        }
        if (event.text.find('\0') != std::string::npos) {
            parsed.error = "sound file name contains a NUL byte";
            return parsed;
        }
        event.kind = keyword->kind;
        return parsed;
    }

    const int given = static_cast<int>(words.size()) - 1;
    if (given != keyword->numberCount) {
        parsed.error = keyword->numberCount == 0
                           ? std::string(keyword->word) + " takes no arguments"
                           : std::string(keyword->word) + " takes " + std::to_string(keyword->numberCount) +
                                 (keyword->numberCount == 1 ? " number, got " : " numbers, got ") +
                                 std::to_string(given);
        return parsed;
    }
    for (int i = 0; i < given; ++i)
        if (!ParseNumber(words[i + 1], event.numbers[i], parsed.error, i == 0 && keyword->startsWithId))
            return parsed;

    if (keyword->kind == ScriptEventKind::Size) {
        if (!CheckRange("width", event.numbers[0], 1, kLargestClientSize, parsed.error) ||
            !CheckRange("height", event.numbers[1], 1, kLargestClientSize, parsed.error))
            return parsed;
    }
    if (keyword->kind == ScriptEventKind::Client) {
        if (!CheckRange("width", event.numbers[0], 0, kLargestClientSize, parsed.error) ||
            !CheckRange("height", event.numbers[1], 0, kLargestClientSize, parsed.error))
            return parsed;
    }
    event.kind = keyword->kind;
    return parsed;
}

ReplaySession StartReplay()
{
    ReplaySession session;
    session.program.platform = HeadlessPlatform();
    StartProgram(session.program);
    session.program.toy.canvas = session.canvas;
    return session;
}

std::string RunScriptEvent(ReplaySession& session, const ScriptEvent& event, std::ostream& out)
{
    Program& program = session.program;
    Toy& toy = program.toy;
    TheHeadlessScreen() = HeadlessScreen{&out, session.clientWidth, session.clientHeight};
    switch (event.kind) {
    case ScriptEventKind::None:
        break;
    case ScriptEventKind::Size:
        if (session.canvasMade)
            return "size must come before the first client line and the first input event";
        session.canvas = CanvasBounds{event.numbers[0], event.numbers[1]};
        session.clientWidth = event.numbers[0];
        session.clientHeight = event.numbers[1];
        break;
    case ScriptEventKind::Client:
        MakeCanvas(session);
        session.clientWidth = event.numbers[0];
        session.clientHeight = event.numbers[1];
        break;
    case ScriptEventKind::Flags:
        for (int i = 0; i < kFlagCount; ++i)
            SetFlag(toy.options, i, event.numbers[i]);
        break;
    case ScriptEventKind::SoundFile:
        SetSoundFile(toy.options, event.text);
        break;
    case ScriptEventKind::Move:
        MakeCanvas(session);
        OnPointerMove(program, Point{AsMessageCarriesIt(event.numbers[0]), AsMessageCarriesIt(event.numbers[1])});
        break;
    case ScriptEventKind::LeftDown:
    case ScriptEventKind::LeftUp:
        MakeCanvas(session);
        OnMouseButton(program, MouseButton::Left, event.kind == ScriptEventKind::LeftDown);
        break;
    case ScriptEventKind::RightDown:
    case ScriptEventKind::RightUp:
        MakeCanvas(session);
        OnMouseButton(program, MouseButton::Right, event.kind == ScriptEventKind::RightDown);
        break;
    case ScriptEventKind::Key:
        MakeCanvas(session);
        OnKeyUp(program, session.clientWidth, session.clientHeight);
        break;
    case ScriptEventKind::Wheel:
        MakeCanvas(session);
        OnWheel(program);
        break;
    case ScriptEventKind::Tick:
        MakeCanvas(session);
        OnTick(program);
        break;
    case ScriptEventKind::Lift:
        MakeCanvas(session);
        LiftPen(toy.pen);
        break;
    case ScriptEventKind::Clear:
        MakeCanvas(session);
        OnCommand(program, IDM_CLEAR);
        break;
    case ScriptEventKind::TouchDown:
    case ScriptEventKind::TouchMove:
    case ScriptEventKind::TouchUp: {
        MakeCanvas(session);
        const TouchPhase phase = event.kind == ScriptEventKind::TouchDown   ? TouchPhase::Down
                                 : event.kind == ScriptEventKind::TouchMove ? TouchPhase::Move
                                                                            : TouchPhase::Up;
        OnTouch(program, phase, static_cast<uint32_t>(event.numbers[0]), Point{event.numbers[1], event.numbers[2]});
        break;
    }
    }
    TheHeadlessScreen().out = nullptr;
    return {};
}

ReplayResult RunScript(std::istream& in, std::ostream& out, std::string& error)
{
    ReplaySession session = StartReplay();
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        ParsedLine parsed = ParseScriptLine(line);
        if (parsed.error.empty())
            parsed.error = RunScriptEvent(session, parsed.event, out);
        if (!parsed.error.empty()) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            error = "line " + std::to_string(number) + ": \"" + line + "\": " + parsed.error;
            return ReplayResult::BadLine;
        }
    }
    if (in.bad()) {
        error = "reading the script failed";
        return ReplayResult::ReadFailed;
    }
    return ReplayResult::Done;
}

ReplayCommandLine ParseReplayCommandLine(int argc, const char* const* argv)
{
    ReplayCommandLine command;
    if (argc > 2 || (argc == 2 && !argv[1]))
        return command;
    command.script = argc == 2 ? argv[1] : "-";
    const bool help = command.script == "-h" || command.script == "--help";
    command.kind = help ? ReplayCommandLine::Kind::Help : ReplayCommandLine::Kind::Script;
    return command;
}
