// The Windows-key guard: on which platforms it is installed, and which key
// events it swallows.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/keyboard_guard.h"

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

TEST(KeyboardGuard, CtrlEscIsSwallowedWithItsReleaseWhicheverKeyIsLetGoFirst)
{
    constexpr uint32_t kCtrl = 0xA2, kRightCtrl = 0xA3, kEsc = 0x1B, kAlt = 0xA4, kTab = 0x09, kWin = 0x5B;
    struct Event {
        uint32_t virtualKey;
        bool released;
        bool ctrlHeld;  // as the event happens
        bool swallowed;
    };
    struct Case {
        const char* keys;
        std::vector<Event> events;
    };
    const Case cases[] = {
        {"Ctrl+Esc, Esc let go first",
         {{kCtrl, false, false, false}, {kEsc, false, true, true}, {kEsc, true, true, true}, {kCtrl, true, true, false}}},
        {"Ctrl+Esc, Ctrl let go first",
         {{kCtrl, false, false, false}, {kEsc, false, true, true}, {kCtrl, true, true, false}, {kEsc, true, false, true}}},
        {"right Ctrl+Esc with auto-repeat",
         {{kRightCtrl, false, false, false},
          {kEsc, false, true, true},
          {kEsc, false, true, true},
          {kEsc, true, true, true},
          {kRightCtrl, true, true, false}}},
        {"Esc alone", {{kEsc, false, false, false}, {kEsc, true, false, false}}},
        {"Esc, then Ctrl pressed before Esc is let go",
         {{kEsc, false, false, false}, {kCtrl, false, false, false}, {kEsc, true, true, false}, {kCtrl, true, true, false}}},
        {"Ctrl alone", {{kCtrl, false, false, false}, {kCtrl, true, true, false}}},
        {"Windows key, with and without Ctrl", {{kWin, false, false, true}, {kWin, true, true, true}}},
        {"Alt+Tab", {{kAlt, false, false, false}, {kTab, false, false, false}, {kTab, true, false, false}, {kAlt, true, false, false}}},
        {"Ctrl+Esc, then Esc alone",
         {{kEsc, false, true, true}, {kEsc, true, true, true}, {kEsc, false, false, false}, {kEsc, true, false, false}}},
    };
    for (const Case& c : cases) {
        KeyboardGuardState state;
        for (size_t i = 0; i < c.events.size(); ++i) {
            const Event& e = c.events[i];
            EXPECT_EQ(KeyboardGuardSwallowsEvent(state, kHookActionCode, e.virtualKey, e.released, e.ctrlHeld),
                      e.swallowed)
                << c.keys << ", event " << i;
        }
    }
    KeyboardGuardState state;
    EXPECT_FALSE(KeyboardGuardSwallowsEvent(state, 3, kEsc, false, true)) << "not a key event to act on";
    EXPECT_FALSE(state.escapeSwallowed);
}
