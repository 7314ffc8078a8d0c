// The renderers read scrivlet-replay's marks from standard input, which may
// be anything: every line is a mark, skipped or bad, without an exception,
// and a segment or a stamp read back prints as the replay prints it and
// reads back the same.
#include <cstdint>
#include <sstream>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tools/render/marks.h"
#include "tools/replay/headless_platform.h"

namespace {

bool SameSegment(const Segment& a, const Segment& b)
{
    return a.from.x == b.from.x && a.from.y == b.from.y && a.to.x == b.to.x && a.to.y == b.to.y &&
           a.width == b.width && a.colour == b.colour && a.margin == b.margin && a.dot == b.dot;
}

bool SameBlossom(const Blossom& a, const Blossom& b)
{
    return a.centre.x == b.centre.x && a.centre.y == b.centre.y && a.a == b.a && a.b == b.b &&
           a.colour == b.colour && a.margin == b.margin;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(lines, line);) {
        const Mark mark = ParseMark(line);
        if (mark.kind == MarkKind::Segment) {
            const Mark again = ParseMark(FormatSegment(mark.segment));
            FUZZ_CHECK(again.kind == MarkKind::Segment && SameSegment(again.segment, mark.segment));
        } else if (mark.kind == MarkKind::Stamp) {
            const Mark again = ParseMark(FormatBlossom(mark.blossom));
            FUZZ_CHECK(again.kind == MarkKind::Stamp && SameBlossom(again.blossom, mark.blossom));
        }
    }
    return 0;
}
