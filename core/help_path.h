// Where a help topic lives: the compiled help file in the directory that was
// current at start-up, and a topic inside it, as one path the help viewer
// understands ("C:\Toys\scrivlet.chm::/scrivlet.htm").
#pragma once

#include <optional>
#include <string>

// The viewer takes paths of at most this many bytes, the terminating NUL
// included (the platform's MAX_PATH).
constexpr int kHelpPathSize = 260;
constexpr char kHelpFileName[] = "\\scrivlet.chm";

// The viewer path of `topic` in the help file of `startupDirectory`, or
// nothing when there is no start-up directory or the path does not fit into
// kHelpPathSize bytes: a cut-off path would name another file.
std::optional<std::string> HelpTopicPath(const std::string& startupDirectory, const std::string& topic);

// `topic` ("scrivlet.htm#Options") in the active catalogue's language: the
// page of that language's folder ("de/scrivlet.htm#Options"), and the
// English page itself for English. Every catalogue language has its page.
std::string LocalHelpTopic(const char* topic);
