// The Windows-key guard: on which platforms it is installed, and which key
// events it swallows.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/keyboard_guard.h"

TEST(KeyboardGuard, SupportedOnlyOnNtFourAndLater)
{
    struct Case {
        const char* platform;
        uint32_t versionInfo;  // as GetVersion returns it: build, minor, major
        bool supported;
    };
    const Case cases[] = {
        {"Windows 95", 0xC3B60004u, false},
        {"Windows 98", 0xC0000A04u, false},
        {"Windows Me", 0xC0005A04u, false},
        {"Win32s on Windows 3.1", 0x80000A03u, false},
        {"NT 3.51", 0x04213303u, false},
        {"NT 4.0", 0x05650004u, true},
        {"Windows 2000", 0x08930005u, true},
        {"Windows XP", 0x0A280105u, true},
        {"Windows 8 and later, unmanifested", 0x23F00206u, true},
        {"a major version of 255", 0x000000FFu, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyboardGuardSupported(c.versionInfo), c.supported) << c.platform;
}

TEST(KeyboardGuard, SwallowsOnlyKeyEventsOfTheWindowsKeys)
{
    constexpr int kNoRemove = 3;  // a peek that must be passed on untouched
    struct Case {
        const char* key;
        int code;
        uint32_t virtualKey;
        bool swallowed;
    };
    const Case cases[] = {
        {"left Windows key", kHookActionCode, 0x5B, true},
        {"right Windows key", kHookActionCode, 0x5C, true},
        {"Alt", kHookActionCode, 0x12, false},
        {"left Alt", kHookActionCode, 0xA4, false},
        {"Tab", kHookActionCode, 0x09, false},
        {"F4", kHookActionCode, 0x73, false},
        {"Escape", kHookActionCode, 0x1B, false},
        {"the application (menu) key next to right Windows", kHookActionCode, 0x5D, false},
        {"letter A", kHookActionCode, 0x41, false},
        {"left Windows key under a code other than action", kNoRemove, 0x5B, false},
        {"right Windows key under a negative code", -1, 0x5C, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyboardGuardSwallows(c.code, c.virtualKey), c.swallowed) << c.key;
}
