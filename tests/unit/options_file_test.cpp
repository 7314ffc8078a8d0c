// Where the native program keeps its options, and how a stored copy of any
// length is laid over the live record.
#include <gtest/gtest.h>

#include <cstring>

#include "options/options_file.h"

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

// As the registry value on Windows: a shorter copy replaces the start of the
// record, a longer one is not read at all.
TEST(StoredOptions, LengthDecidesHowMuchIsTaken)
{
    OptionsRecord stored;
    std::memset(&stored, 0, sizeof stored);
    stored.autoDraw = 1;
    std::strcpy(stored.soundFile, "stored.wav");
    const std::string whole = StoredOptionsBytes(stored);
    ASSERT_EQ(whole.size(), 284u);

    struct Case {
        std::string bytes;
        bool taken;
        int32_t drawWhenMouseMoves;
        int32_t autoDraw;
        const char* soundFile;
    };
    const Case cases[] = {
        {"", true, 1, 0, "key.wav"},
        {whole.substr(0, 12), true, 0, 0, "key.wav"},
        {whole.substr(0, 16), true, 0, 1, "key.wav"},
        {whole, true, 0, 1, "stored.wav"},
        {whole + "x", false, 1, 0, "key.wav"},
        {std::string(1000, '\x7f'), false, 1, 0, "key.wav"},
    };
    for (const Case& c : cases) {
        OptionsRecord record;
        ResetOptionsToDefaults(record);
        EXPECT_EQ(ApplyStoredOptions(record, c.bytes), c.taken) << c.bytes.size() << " bytes";
        EXPECT_EQ(record.drawWhenMouseMoves, c.drawWhenMouseMoves) << c.bytes.size() << " bytes";
        EXPECT_EQ(record.autoDraw, c.autoDraw) << c.bytes.size() << " bytes";
        EXPECT_EQ(SoundFileText(record), c.soundFile) << c.bytes.size() << " bytes";
    }
}
