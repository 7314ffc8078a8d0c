// Carries out the decisions of kidproof.h with SystemParametersInfoA,
// SetThreadExecutionState and a named mutex.
#include "win32/kidproof_win.h"

#include "win32/app.h"
#include "core/kidproof.h"

namespace {

static_assert(SKF_STICKYKEYSON == 0x1 && SKF_HOTKEYACTIVE == 0x4, "Sticky Keys bits");
static_assert(FKF_FILTERKEYSON == 0x1 && FKF_HOTKEYACTIVE == 0x4, "Filter Keys bits");
static_assert(TKF_TOGGLEKEYSON == 0x1 && TKF_HOTKEYACTIVE == 0x4, "Toggle Keys bits");

constexpr char kInstanceMutexName[] = "Scrivlet.1.2.Running";
// How long a start waits for a toy that is closing to let the mark go.
constexpr DWORD kInstanceWaitMilliseconds = 3000;

SystemParametersCall g_systemParameters = SystemParametersInfoA;
ExecutionStateCall g_executionState = SetThreadExecutionState;
HANDLE g_instanceMutex = nullptr;

// One feature's settings as the parent had them, while the toy's are in force.
template <typename Settings>
struct SavedSettings {
    Settings original{};
    bool changed = false;
};

SavedSettings<STICKYKEYS> g_stickyKeys;
SavedSettings<FILTERKEYS> g_filterKeys;
SavedSettings<TOGGLEKEYS> g_toggleKeys;

template <typename Settings>
void SwitchOffHotkey(AccessibilityFeature feature, UINT getAction, UINT setAction, SavedSettings<Settings>& saved)
{
    if (saved.changed)
        return;
    Settings current{};
    current.cbSize = sizeof current;
    if (!g_systemParameters(getAction, sizeof current, &current, 0))
        return;
    Settings quiet = current;
    quiet.dwFlags = FlagsWithoutHotkey(feature, current.dwFlags);
    if (quiet.dwFlags == current.dwFlags)
        return;
    // No SPIF_UPDATEINIFILE: the change lives in memory until logoff.
    if (g_systemParameters(setAction, sizeof quiet, &quiet, 0)) {
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
    g_systemParameters(setAction, sizeof original, &original, 0);
    saved.changed = false;
}

}  // namespace

void SetSystemParametersCall(SystemParametersCall call)
{
    g_systemParameters = call ? call : SystemParametersInfoA;
}

void SetExecutionStateCall(ExecutionStateCall call) { g_executionState = call ? call : SetThreadExecutionState; }

void SwitchOffAccessibilityHotkeys()
{
    SwitchOffHotkey(AccessibilityFeature::StickyKeys, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, g_stickyKeys);
    SwitchOffHotkey(AccessibilityFeature::FilterKeys, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, g_filterKeys);
    SwitchOffHotkey(AccessibilityFeature::ToggleKeys, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, g_toggleKeys);
}

void RestoreAccessibilityHotkeys()
{
    RestoreHotkey(SPI_SETSTICKYKEYS, g_stickyKeys);
    RestoreHotkey(SPI_SETFILTERKEYS, g_filterKeys);
    RestoreHotkey(SPI_SETTOGGLEKEYS, g_toggleKeys);
}

void KeepDisplayAwake(bool awake)
{
    // ES_CONTINUOUS alone clears an earlier display request of this thread.
    g_executionState(ES_CONTINUOUS | (awake ? ES_DISPLAY_REQUIRED : 0));
}

void UndoKidproofing()
{
    RestoreAccessibilityHotkeys();
    g_executionState(ES_CONTINUOUS);
}

bool AnotherInstanceRuns()
{
    if (g_instanceMutex)
        return false;
    // Owned by the running toy for its whole run, so that its end (a crash
    // too) lets the mark go to a start that is waiting for it.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kInstanceMutexName);
    if (!mutex)
        return false;  // cannot tell: run rather than refuse to start
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        g_instanceMutex = mutex;  // held until the process ends
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
        g_instanceMutex = mutex;
        return false;
    }
    CloseHandle(mutex);
    return true;
}
