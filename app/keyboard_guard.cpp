// The Windows-key guard's decisions: the platform check and the swallowed keys.
#include "app/keyboard_guard.h"

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
