// Runs a fuzz target over every file of a folder, once each, without
// libFuzzer: how the seed corpora and the inputs fuzzers once found stay
// regression tests in the ordinary (sanitized) test run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::directory_iterator folder(argv[1], error);
    if (error) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", argv[0], argv[1], error.message().c_str());
        return 2;
    }
    int count = 0;
    for (const auto& entry : folder) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++count;
    }
    std::printf("%d inputs ran\n", count);
    return count > 0 ? 0 : 1;
}
