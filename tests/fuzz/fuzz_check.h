// What a fuzz target does when a property it checks does not hold: say which
// and abort, which both libFuzzer and the corpus runner report as a finding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                            \
        }                                                                            \
    } while (0)

// The input split at its NUL bytes, as a command line or the environment
// would hold it: at most `most` parts, the last one running to the end.
inline std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size, size_t most)
{
    std::vector<std::string> parts;
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t start = 0; start <= size && parts.size() < most;) {
        const void* nul = std::memchr(text + start, 0, size - start);
        const size_t end = nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : size;
        parts.emplace_back(text + start, end - start);
        start = end + 1;
    }
    return parts;
}
