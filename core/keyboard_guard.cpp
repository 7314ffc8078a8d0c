// The Windows-key guard's decisions: the platform check and the swallowed keys.
#include "core/keyboard_guard.h"

bool KeyboardGuardSupported(uint32_t versionInfo)
{
    // The top bit is set on the Windows 95/98/Me family; the low byte is
    // the major version.
    const bool ntFamily = (versionInfo & 0x80000000u) == 0;
    const uint32_t majorVersion = versionInfo & 0xFFu;
    return ntFamily && majorVersion >= 4;
}

bool KeyboardGuardSwallows(int code, uint32_t virtualKey)
{
    if (code != kHookActionCode)
        return false;
    return virtualKey == kVirtualKeyLeftWindows || virtualKey == kVirtualKeyRightWindows;
}

bool KeyboardGuardSwallowsEvent(KeyboardGuardState& state, int code, uint32_t virtualKey, bool released,
                                bool ctrlHeld)
{
    if (code != kHookActionCode)
        return false;
    if (virtualKey != kVirtualKeyEscape)
        return KeyboardGuardSwallows(code, virtualKey);
    if (released) {
        // A release that slipped through after a swallowed press would still
        // reach the window and stamp.
        const bool swallowed = state.escapeSwallowed;
        state.escapeSwallowed = false;
        return swallowed;
    }
    // Auto-repeat sends more presses: the last one decides for the release.
    state.escapeSwallowed = ctrlHeld;
    return ctrlHeld;
}
