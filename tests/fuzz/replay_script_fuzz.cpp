// A replay script is text from anywhere: any bytes either run to the end or
// stop at a named line with status 2, and the run never reads or draws
// outside what it was given.
#include <cstdint>
#include <sstream>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tools/replay/replay_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::string error;
    const ReplayResult result = RunScript(in, out, error);
    FUZZ_CHECK(result != ReplayResult::ReadFailed);
    FUZZ_CHECK(error.empty() == (result == ReplayResult::Done));
    // Each line on its own parses or is refused with a reason.
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    while (std::getline(lines, line)) {
        const ParsedLine parsed = ParseScriptLine(line);
        (void)parsed;
    }
    return 0;
}
