// Throughput of the toy core without painting: how many segments pointer
// moves and walk steps decide per second, how many stamps key releases make,
// and how fast scrivlet-replay gets through a script.
#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "core/toy.h"
#include "tools/replay/replay_script.h"

namespace {

Toy DefaultToy()
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    toy.canvas = CanvasBounds{1920, 1080};
    return toy;
}

void RateCounter(benchmark::State& state, const char* name, int64_t count)
{
    state.counters[name] = benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsRate);
}

// A drag in small steps, as the mouse reports it, with margins on.
void PointerMoves(benchmark::State& state)
{
    Toy toy = DefaultToy();
    int64_t segments = 0;
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 1900;
        const std::optional<Segment> segment = OnPointerMove(toy, Point{x, (x * 3) % 1000});
        benchmark::DoNotOptimize(segment);
        segments += segment ? 1 : 0;
    }
    RateCounter(state, "segments/s", segments);
}
BENCHMARK(PointerMoves);

void KeyStamps(benchmark::State& state)
{
    Toy toy = DefaultToy();
    int64_t stamps = 0;
    for (auto _ : state) {
        const KeyStamp stamp = OnKeyReleased(toy, 1920, 1080);
        benchmark::DoNotOptimize(stamp);
        ++stamps;
    }
    RateCounter(state, "stamps/s", stamps);
}
BENCHMARK(KeyStamps);

// Auto draw: each tick is a walk step and a segment.
void WalkTicks(benchmark::State& state)
{
    Toy toy = DefaultToy();
    toy.options.autoDraw = 1;
    int64_t segments = 0;
    for (auto _ : state) {
        const std::optional<Segment> segment = OnTimerTick(toy);
        benchmark::DoNotOptimize(segment);
        segments += segment ? 1 : 0;
    }
    RateCounter(state, "segments/s", segments);
}
BENCHMARK(WalkTicks);

// The whole tool's path: parse, run, format, for a script of moves and keys.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void ReplayScriptLines(benchmark::State& state)
{
    std::string script;
    for (int i = 0; i < 1000; ++i) {
        script += "move " + std::to_string((i * 13) % 1000) + " " + std::to_string((i * 7) % 700) + "\n";
        if (i % 50 == 0)
            script += "key\n";
    }
    const int64_t linesPerRun = 1000 + 20;
    NullBuffer nothing;
    std::ostream out(&nothing);
    int64_t lines = 0;
    for (auto _ : state) {
        std::istringstream in(script);
        std::string error;
        benchmark::DoNotOptimize(RunScript(in, out, error));
        lines += linesPerRun;
    }
    RateCounter(state, "lines/s", lines);
}
BENCHMARK(ReplayScriptLines);

}  // namespace

BENCHMARK_MAIN();
