// What the toy switches off while it runs: accessibility hotkeys, and when
// the display is kept awake.
#include <gtest/gtest.h>

#include "core/kidproof.h"

TEST(AccessibilityHotkeys, OnlyTheHotkeyOfAFeatureThatIsOffIsSwitchedOff)
{
    // 0x2 is "available", 0x8 "confirm hotkey", 0x10 "hotkey sound", 0x20
    // "indicator"; the high bits are Sticky Keys' latched and locked keys.
    struct Case {
        uint32_t flags;
        uint32_t expected;
    } cases[] = {
        {0x00000006u, 0x00000002u},  // off, hotkey active: hotkey off
        {0x0000007Eu, 0x0000007Au},  // off, with unrelated flags kept
        {0x00000007u, 0x00000007u},  // on: untouched
        {0x0000007Fu, 0x0000007Fu},  // on, with unrelated flags
        {0x00000002u, 0x00000002u},  // off, hotkey already off
        {0x00000000u, 0x00000000u},
        {0x81000006u, 0x81000002u},  // off, other high bits kept
        {0xFFFFFFFEu, 0xFFFFFFFAu},
        {0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (AccessibilityFeature feature :
         {AccessibilityFeature::StickyKeys, AccessibilityFeature::FilterKeys, AccessibilityFeature::ToggleKeys}) {
        const AccessibilityBits bits = BitsOf(feature);
        EXPECT_EQ(bits.featureOn, 0x1u);
        EXPECT_EQ(bits.hotkeyActive, 0x4u);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(feature) << " flags 0x" << std::hex << c.flags);
            EXPECT_EQ(FlagsWithoutHotkey(feature, c.flags), c.expected);
        }
    }
}

TEST(DisplayAwake, FollowsAutoDraw)
{
    OptionsRecord options{};
    EXPECT_FALSE(DisplayMustStayAwake(options));
    options.autoDraw = 1;
    EXPECT_TRUE(DisplayMustStayAwake(options));
    options.autoDraw = -7;  // any nonzero value is on
    EXPECT_TRUE(DisplayMustStayAwake(options));
    ResetOptionsToDefaults(options);
    EXPECT_FALSE(DisplayMustStayAwake(options)) << "auto draw is off by default";
}
