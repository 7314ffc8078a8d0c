// The tools' command lines, typed by anyone: the input is split at NUL bytes
// into arguments. scrivlet-replay takes at most one, scrivlet-render exactly
// three with two sides it can make a canvas of, and a refusal always says
// why.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tools/render/marks.h"
#include "tools/replay/replay_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words = SplitAtNul(data, size, 7);
    words.insert(words.begin(), "scrivlet-tool");
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);

    const ReplayCommandLine replay = ParseReplayCommandLine(argc, argv.data());
    FUZZ_CHECK((replay.kind == ReplayCommandLine::Kind::Usage) == (argc > 2));
    if (replay.kind == ReplayCommandLine::Kind::Script)
        FUZZ_CHECK(replay.script == (argc == 2 ? words[1] : "-"));

    std::string error;
    const std::optional<RenderArguments> render = ParseRenderArguments(argc, argv.data(), error);
    FUZZ_CHECK(render.has_value() == error.empty());
    if (render) {
        FUZZ_CHECK(argc == 4);
        FUZZ_CHECK(render->width >= 1 && render->width <= kLargestCanvasSide);
        FUZZ_CHECK(render->height >= 1 && render->height <= kLargestCanvasSide);
        FUZZ_CHECK(std::to_string(render->width) == words[1] || words[1][0] == '0');
        FUZZ_CHECK(render->output == words[3] && !render->output.empty());
    }
    return 0;
}
