// Installs, runs and removes the Windows-key guard; what it swallows is
// decided by the core.
#include "app/keyboard_guard_win.h"

#include "app/keyboard_guard.h"

static_assert(kHookActionCode == HC_ACTION);
static_assert(kVirtualKeyLeftWindows == VK_LWIN && kVirtualKeyRightWindows == VK_RWIN);

namespace {

bool g_guardSupported = false;
HHOOK g_guardHook = nullptr;

}  // namespace

void InstallKeyboardGuard(HINSTANCE instance)
{
    g_guardSupported = KeyboardGuardSupported(GetVersion());
    if (g_guardSupported)
        g_guardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardGuardProc, instance, 0);
}

void RemoveKeyboardGuard()
{
    if (g_guardSupported)
        UnhookWindowsHookEx(g_guardHook);
    g_guardHook = nullptr;
}

LRESULT CALLBACK KeyboardGuardProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The event is only read for a key event: other codes carry no event.
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (KeyboardGuardSwallows(code, event->vkCode))
            return 1;
    }
    return CallNextHookEx(g_guardHook, code, wParam, lParam);
}
