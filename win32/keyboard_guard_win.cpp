// Installs, runs and removes the Windows-key guard; what it swallows is
// decided by the core.
#include "win32/keyboard_guard_win.h"

#include "core/keyboard_guard.h"

static_assert(kHookActionCode == HC_ACTION);
static_assert(kVirtualKeyLeftWindows == VK_LWIN && kVirtualKeyRightWindows == VK_RWIN);
static_assert(kVirtualKeyEscape == VK_ESCAPE);

namespace {

bool g_guardSupported = false;
HHOOK g_guardHook = nullptr;
KeyboardGuardState g_guardState;

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
        const bool released = (event->flags & LLKHF_UP) != 0;
        // The key state seen here is the one before this event, so a Ctrl
        // held down for Ctrl+Esc shows.
        const bool ctrlHeld = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
        if (KeyboardGuardSwallowsEvent(g_guardState, code, event->vkCode, released, ctrlHeld))
            return 1;
    }
    return CallNextHookEx(g_guardHook, code, wParam, lParam);
}
