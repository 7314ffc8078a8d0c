// The help viewer's path of a topic, built from the start-up directory.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/help_path.h"

TEST(HelpPath, FileAndTopicFollowTheStartupDirectory)
{
    struct Case {
        std::string directory;
        std::string topic;
        std::optional<std::string> path;
    };
    // "X\scrivlet.chm::/" with X of this length fills the buffer exactly
    // with the topic "scrivlet.htm#Options" and its NUL.
    const std::string longest(kHelpPathSize - 1 - 16 - 20, 'd');
    const Case cases[] = {
        {"C:\\Toys", "scrivlet.htm", "C:\\Toys\\scrivlet.chm::/scrivlet.htm"},
        {"C:\\Toys", "scrivlet.htm#Options", "C:\\Toys\\scrivlet.chm::/scrivlet.htm#Options"},
        {"C:\\", "scrivlet.htm", "C:\\\\scrivlet.chm::/scrivlet.htm"},
        {"\\\\server\\share\\toys", "scrivlet.htm", "\\\\server\\share\\toys\\scrivlet.chm::/scrivlet.htm"},
        {longest, "scrivlet.htm#Options", longest + "\\scrivlet.chm::/scrivlet.htm#Options"},
        // One byte more would cut the topic off: no help rather than a wrong one.
        {longest + "d", "scrivlet.htm#Options", std::nullopt},
        {std::string(259, 'd'), "scrivlet.htm", std::nullopt},
        // No start-up directory could be read.
        {"", "scrivlet.htm", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> path = HelpTopicPath(c.directory, c.topic);
        EXPECT_EQ(path, c.path) << "directory of " << c.directory.size() << " bytes: " << c.directory;
        if (path) {
            EXPECT_LE(path->size() + 1, static_cast<size_t>(kHelpPathSize));
        }
    }
}
