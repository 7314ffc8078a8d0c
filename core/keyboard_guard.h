// The Windows-key guard's decisions, kept free of <windows.h>: whether this
// platform offers low-level keyboard hooks at all, and which keys the hook
// swallows so that a child cannot bring up the Start menu (the Windows keys,
// and Ctrl+Esc, which opens it too).
#pragma once

#include <cstdint>

// Hook code meaning "a key event to act on"; other codes are passed on as
// they are.
constexpr int kHookActionCode = 0;
constexpr uint32_t kVirtualKeyLeftWindows = 0x5B;
constexpr uint32_t kVirtualKeyRightWindows = 0x5C;
constexpr uint32_t kVirtualKeyEscape = 0x1B;

// True when a GetVersion value names an NT-family system of major version 4
// or later: only those have low-level keyboard hooks.
bool KeyboardGuardSupported(uint32_t versionInfo);

// True when the hook should swallow this event: a key event (`code` is the
// action code) for either Windows-logo key, pressed or released.
bool KeyboardGuardSwallows(int code, uint32_t virtualKey);

// What the guard remembers between key events: whether the last Escape press
// was swallowed, so that its release is swallowed too, whichever of Ctrl and
// Escape is let go first.
struct KeyboardGuardState {
    bool escapeSwallowed = false;
};

// True when the hook should swallow this key event: what KeyboardGuardSwallows
// swallows, Escape pressed while Ctrl is held (`ctrlHeld`, as the event
// happens), and Escape's release exactly when its press was swallowed. Ctrl
// itself, Alt+Tab, Alt+F4 and every other key pass.
bool KeyboardGuardSwallowsEvent(KeyboardGuardState& state, int code, uint32_t virtualKey, bool released,
                                bool ctrlHeld);
