// Where the native program keeps its options.
#include <gtest/gtest.h>

#include "core/options_file.h"

TEST(OptionsFilePath, FollowsTheBaseDirectoryRules)
{
    struct Case {
        const char* xdgConfigHome;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/cfg", "/home/ann", "/cfg/scrivlet/options"},
        {nullptr, "/home/ann", "/home/ann/.config/scrivlet/options"},
        {"", "/home/ann", "/home/ann/.config/scrivlet/options"},
        // A relative XDG_CONFIG_HOME is invalid and ignored.
        {"cfg", "/home/ann", "/home/ann/.config/scrivlet/options"},
        {"/cfg", nullptr, "/cfg/scrivlet/options"},
        // Nowhere usable: nothing is read or stored.
        {nullptr, nullptr, ""},
        {"", "relative", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OptionsFilePath(c.xdgConfigHome, c.home), c.path)
            << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)") << ", " << (c.home ? c.home : "(unset)");
    }
    EXPECT_EQ(OptionsFolder("/cfg/scrivlet/options"), "/cfg/scrivlet");
}
