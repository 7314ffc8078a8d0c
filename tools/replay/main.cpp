// scrivlet-replay [SCRIPT]: prints the marks a session of events would draw.
// Exit status 0 when the whole script ran, 1 when it could not be read (or
// the marks could not be written), 2 when a line was bad (nothing after it
// is read).
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/replay/replay_script.h"

namespace {

constexpr char kUsage[] =
    "usage: scrivlet-replay [SCRIPT]\n"
    "Reads an event script (standard input when SCRIPT is missing or \"-\")\n"
    "and prints the segments, stamps, sounds and clears it draws, one a line.\n";

int Replay(std::istream& in, const std::string& name)
{
    std::string error;
    const ReplayResult result = RunScript(in, std::cout, error);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "scrivlet-replay: writing the marks failed\n";
        return 1;
    }
    switch (result) {
    case ReplayResult::Done:
        return 0;
    case ReplayResult::BadLine:
        std::cerr << "scrivlet-replay: " << name << ": " << error << '\n';
        return 2;
    case ReplayResult::ReadFailed:
        std::cerr << "scrivlet-replay: " << name << ": " << error << '\n';
        return 1;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const ReplayCommandLine command = ParseReplayCommandLine(argc, argv);
    if (command.kind == ReplayCommandLine::Kind::Usage) {
        std::cerr << kUsage;
        return 1;
    }
    if (command.kind == ReplayCommandLine::Kind::Help) {
        std::cout << kUsage;
        return 0;
    }
    const std::string& argument = command.script;
    if (argument == "-")
        return Replay(std::cin, "standard input");

    // A directory opens like a file here and only fails on reading: say why.
    std::error_code ignored;
    if (std::filesystem::is_directory(argument, ignored)) {
        std::cerr << "scrivlet-replay: cannot read \"" << argument << "\": " << std::strerror(EISDIR) << '\n';
        return 1;
    }
    std::ifstream file(argument, std::ios::binary);
    if (!file) {
        std::cerr << "scrivlet-replay: cannot read \"" << argument << "\": " << std::strerror(errno) << '\n';
        return 1;
    }
    return Replay(file, argument);
}
