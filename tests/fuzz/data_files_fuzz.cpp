// Where the native program looks for its files comes from outside: its own
// path, the environment (XDG_CONFIG_HOME, HOME, XDG_PICTURES_DIR) and the
// key sound's option text. The input is split at NUL bytes into those, and
// a path "exists" when it is one of the parts, so the fuzzer can make any
// file system it likes. Whatever they are, a file found is one that exists,
// and the options file is the options file under an absolute folder.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/options_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> parts = SplitAtNul(data, size, 16);
    parts.resize(std::max<size_t>(parts.size(), 6));
    const std::string& program = parts[0];
    const std::string& name = parts[1];
    const std::string& sound = parts[2];
    const FileExists exists = [&parts](const std::string& path) {
        return std::find(parts.begin(), parts.end(), path) != parts.end();
    };

    const std::optional<std::string> file = FindDataFile(program, name, exists);
    FUZZ_CHECK(!file || exists(*file));
    const std::optional<std::string> page = FindHelpPage(program, name, exists);
    FUZZ_CHECK(!page || exists(*page));
    FindLocaleFolder(program, name, exists);
    const std::string played = KeySoundFile(sound, program, exists);
    FUZZ_CHECK(played == sound || exists(played));
    const std::string folder = SaveChooserFolder(parts[3], parts[4], parts[5], exists);
    FUZZ_CHECK(folder == parts[3] || folder == parts[4] || folder == parts[5]);

    // The environment's values are C strings: each stops at its first NUL.
    const std::string options = OptionsFilePath(parts[3].c_str(), parts[4].c_str());
    FUZZ_CHECK(options.empty() || (options[0] == '/' && EndsWith(options, "/scrivlet/options")));
    const std::string optionsFolder = OptionsFolder(options);
    FUZZ_CHECK(options.empty() || options.compare(0, optionsFolder.size(), optionsFolder) == 0);
    FUZZ_CHECK(OptionsFilePath(nullptr, nullptr).empty());
    return 0;
}
