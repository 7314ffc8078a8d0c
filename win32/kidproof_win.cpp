// Kid-proofing carried out with Win32: the Windows-key guard (a low-level
// keyboard hook; what it swallows is decided by the core), the accessibility
// hotkeys switched off while the toy runs and put back after, the display
// kept awake during auto draw, and one running instance.
#include "core/keyboard_guard.h"
#include "core/kidproof.h"
#include "win32/shell_win.h"

static_assert(kHookActionCode == HC_ACTION);
static_assert(kVirtualKeyLeftWindows == VK_LWIN && kVirtualKeyRightWindows == VK_RWIN);
static_assert(kVirtualKeyEscape == VK_ESCAPE);
static_assert(SKF_STICKYKEYSON == 0x1 && SKF_HOTKEYACTIVE == 0x4, "Sticky Keys bits");
static_assert(FKF_FILTERKEYSON == 0x1 && FKF_HOTKEYACTIVE == 0x4, "Filter Keys bits");
static_assert(TKF_TOGGLEKEYSON == 0x1 && TKF_HOTKEYACTIVE == 0x4, "Toggle Keys bits");

namespace w32 {

namespace {

constexpr char kInstanceMutexName[] = "Scrivlet.1.2.Running";
// How long a start waits for a toy that is closing to let the mark go.
constexpr DWORD kInstanceWaitMilliseconds = 3000;

Kidproofing& State() { return TheShell().kidproof; }

// Swallows the Windows-logo keys and Ctrl+Esc, passes on the rest.
LRESULT CALLBACK KeyboardGuardProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The event is only read for a key event: other codes carry no event.
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool released = (event->flags & LLKHF_UP) != 0;
        // The key state seen here is the one before this event, so a Ctrl
        // held down for Ctrl+Esc shows.
        const bool ctrlHeld = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
        if (KeyboardGuardSwallowsEvent(State().keyboardGuardState, code, event->vkCode, released, ctrlHeld))
            return 1;
    }
    return CallNextHookEx(State().keyboardGuard, code, wParam, lParam);
}

template <typename Settings>
void SwitchOffHotkey(AccessibilityFeature feature, UINT getAction, UINT setAction, SavedSettings<Settings>& saved)
{
    if (saved.changed)
        return;
    Settings current{};
    current.cbSize = sizeof current;
    if (!State().systemParameters(getAction, sizeof current, &current, 0))
        return;
    Settings quiet = current;
    quiet.dwFlags = FlagsWithoutHotkey(feature, current.dwFlags);
    if (quiet.dwFlags == current.dwFlags)
        return;
    // No SPIF_UPDATEINIFILE: the change lives in memory until logoff.
    if (State().systemParameters(setAction, sizeof quiet, &quiet, 0)) {
        saved.original = current;
        saved.changed = true;
    }
}

template <typename Settings>
void RestoreHotkey(UINT setAction, SavedSettings<Settings>& saved)
{
    if (!saved.changed)
        return;
    Settings original = saved.original;
    State().systemParameters(setAction, sizeof original, &original, 0);
    saved.changed = false;
}

}  // namespace

void InstallKeyboardGuard(HINSTANCE instance)
{
    if (KeyboardGuardSupported(GetVersion()))
        State().keyboardGuard = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardGuardProc, instance, 0);
}

void RemoveKeyboardGuard()
{
    if (State().keyboardGuard)
        UnhookWindowsHookEx(State().keyboardGuard);
    State().keyboardGuard = nullptr;
}

void SwitchOffAccessibilityHotkeys()
{
    SwitchOffHotkey(AccessibilityFeature::StickyKeys, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, State().stickyKeys);
    SwitchOffHotkey(AccessibilityFeature::FilterKeys, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, State().filterKeys);
    SwitchOffHotkey(AccessibilityFeature::ToggleKeys, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, State().toggleKeys);
}

void KeepDisplayAwake(bool awake)
{
    // ES_CONTINUOUS alone clears an earlier display request of this thread.
    State().executionState(ES_CONTINUOUS | (awake ? ES_DISPLAY_REQUIRED : 0));
}

void UndoKidproofing()
{
    RestoreHotkey(SPI_SETSTICKYKEYS, State().stickyKeys);
    RestoreHotkey(SPI_SETFILTERKEYS, State().filterKeys);
    RestoreHotkey(SPI_SETTOGGLEKEYS, State().toggleKeys);
    State().executionState(ES_CONTINUOUS);
}

bool AnotherInstanceRuns()
{
    if (State().instanceMutex)
        return false;
    // Owned by the running toy for its whole run, so that its end (a crash
    // too) lets the mark go to a start that is waiting for it.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kInstanceMutexName);
    if (!mutex)
        return false;  // cannot tell: run rather than refuse to start
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        State().instanceMutex = mutex;  // held until the process ends
        return false;
    }
    if (HWND running = FindWindowA(kWindowClassName, nullptr)) {
        CloseHandle(mutex);
        if (IsIconic(running))
            ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return true;
    }
    // No window: a toy that is closing has let its window go but not yet
    // the mark. Started in that moment, this one takes over once it may.
    const DWORD waited = WaitForSingleObject(mutex, kInstanceWaitMilliseconds);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
        State().instanceMutex = mutex;
        return false;
    }
    CloseHandle(mutex);
    return true;
}

}  // namespace w32
