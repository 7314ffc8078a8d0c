// The help path from any start-up directory and topic: either nothing, or
// the directory, "\scrivlet.chm::/" and the topic, whole, in fewer than 260
// bytes with its NUL. Input: the directory, a NUL byte, the topic.
#include <cstdint>
#include <cstring>
#include <string>

#include "core/help_path.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const void* split = std::memchr(text, 0, size);
    const size_t directoryLength = split ? static_cast<size_t>(static_cast<const char*>(split) - text) : size;
    const std::string directory(text, directoryLength);
    const std::string topic = split ? std::string(text + directoryLength + 1, size - directoryLength - 1) : "";

    const std::optional<std::string> path = HelpTopicPath(directory, topic);
    const std::string whole = directory + kHelpFileName + "::/" + topic;
    if (directory.empty() || whole.size() + 1 > static_cast<size_t>(kHelpPathSize)) {
        FUZZ_CHECK(!path);
        return 0;
    }
    FUZZ_CHECK(path && *path == whole);
    FUZZ_CHECK(path->size() < static_cast<size_t>(kHelpPathSize));
    return 0;
}
