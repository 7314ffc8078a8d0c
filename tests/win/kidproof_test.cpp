// Kid-proofing beyond the Windows keys: the accessibility hotkeys switched off
// and given back byte for byte, the display request following auto draw, and
// a second start that only brings the running window to the front.
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "core/kidproof.h"
#include "res/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/window_fixture.h"

namespace {

// A stand-in for the system's accessibility settings: Wine answers every
// feature as off with no hotkey and keeps nothing that is set, so the
// adapter is checked against this record of what it asks.
struct FakeSystem {
    STICKYKEYS stickyKeys{};
    FILTERKEYS filterKeys{};
    TOGGLEKEYS toggleKeys{};
    std::vector<UINT> sets;
    bool profileWritten = false;
};
FakeSystem g_fake;

template <typename Settings>
BOOL Exchange(Settings& stored, bool set, UINT param, PVOID data)
{
    auto* given = static_cast<Settings*>(data);
    if (param != sizeof(Settings) || given->cbSize != sizeof(Settings))
        return FALSE;
    if (set)
        std::memcpy(&stored, given, sizeof stored);
    else
        std::memcpy(given, &stored, sizeof stored);
    return TRUE;
}

BOOL WINAPI FakeSystemParameters(UINT action, UINT param, PVOID data, UINT winIni)
{
    if (winIni != 0)
        g_fake.profileWritten = true;
    switch (action) {
    case SPI_GETSTICKYKEYS:
        return Exchange(g_fake.stickyKeys, false, param, data);
    case SPI_GETFILTERKEYS:
        return Exchange(g_fake.filterKeys, false, param, data);
    case SPI_GETTOGGLEKEYS:
        return Exchange(g_fake.toggleKeys, false, param, data);
    case SPI_SETSTICKYKEYS:
        g_fake.sets.push_back(action);
        return Exchange(g_fake.stickyKeys, true, param, data);
    case SPI_SETFILTERKEYS:
        g_fake.sets.push_back(action);
        return Exchange(g_fake.filterKeys, true, param, data);
    case SPI_SETTOGGLEKEYS:
        g_fake.sets.push_back(action);
        return Exchange(g_fake.toggleKeys, true, param, data);
    default:
        return FALSE;
    }
}

class AccessibilityHotkeys : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        g_fake = FakeSystem{};
        g_fake.stickyKeys = {sizeof(STICKYKEYS), SKF_AVAILABLE | SKF_HOTKEYACTIVE | SKF_CONFIRMHOTKEY | SKF_INDICATOR};
        g_fake.filterKeys = {sizeof(FILTERKEYS), FKF_AVAILABLE | FKF_HOTKEYACTIVE | FKF_HOTKEYSOUND, 1000, 500,
                             300, 0};
        g_fake.toggleKeys = {sizeof(TOGGLEKEYS), TKF_AVAILABLE | TKF_HOTKEYACTIVE};
        parent = g_fake;
        w32::TheShell().kidproof.systemParameters = FakeSystemParameters;
    }
    void TearDown() override
    {
        w32::UndoKidproofing();
        w32::TheShell().kidproof.systemParameters = SystemParametersInfoA;
    }

    void ExpectParentSettings()
    {
        EXPECT_EQ(std::memcmp(&g_fake.stickyKeys, &parent.stickyKeys, sizeof(STICKYKEYS)), 0);
        EXPECT_EQ(std::memcmp(&g_fake.filterKeys, &parent.filterKeys, sizeof(FILTERKEYS)), 0);
        EXPECT_EQ(std::memcmp(&g_fake.toggleKeys, &parent.toggleKeys, sizeof(TOGGLEKEYS)), 0);
    }

    FakeSystem parent;
};

TEST_F(AccessibilityHotkeys, SwitchedOffWhileRunningAndGivenBackAtExit)
{
    w32::SwitchOffAccessibilityHotkeys();
    EXPECT_EQ(g_fake.stickyKeys.dwFlags, static_cast<DWORD>(SKF_AVAILABLE | SKF_CONFIRMHOTKEY | SKF_INDICATOR));
    EXPECT_EQ(g_fake.filterKeys.dwFlags, static_cast<DWORD>(FKF_AVAILABLE | FKF_HOTKEYSOUND));
    EXPECT_EQ(g_fake.filterKeys.iWaitMSec, 1000u) << "only the flags change";
    EXPECT_EQ(g_fake.toggleKeys.dwFlags, static_cast<DWORD>(TKF_AVAILABLE));
    w32::SwitchOffAccessibilityHotkeys();  // a second call must not lose the parent's settings
    EXPECT_EQ(g_fake.sets.size(), 3u);

    w32::UndoKidproofing();  // what the end of the run does
    ExpectParentSettings();
    EXPECT_EQ(g_fake.sets.size(), 6u);
    w32::UndoKidproofing();
    EXPECT_EQ(g_fake.sets.size(), 6u) << "given back once";
    EXPECT_FALSE(g_fake.profileWritten) << "nothing may outlast the session";
}

// Windows may end the process once WM_ENDSESSION returns, so the options of
// the run are stored then too, not only after the message loop.
TEST_F(AccessibilityHotkeys, GivenBackAndOptionsStoredWhenTheSessionEnds)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath);
    toy().options.autoDraw = 1;
    SetSoundFile(toy().options, "chosen this run.wav");
    w32::SwitchOffAccessibilityHotkeys();
    ASSERT_EQ(g_fake.sets.size(), 3u);
    OptionsRecord stored{};
    Send(WM_ENDSESSION, FALSE, 0);  // the session goes on after all
    EXPECT_EQ(g_fake.sets.size(), 3u);
    EXPECT_NE(w32::LoadOptions(stored), 0) << "nothing stored while the session goes on";
    Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    ExpectParentSettings();
    ASSERT_EQ(w32::LoadOptions(stored), 0);
    EXPECT_EQ(std::memcmp(&stored, &toy().options, sizeof stored), 0);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath);
}

TEST_F(AccessibilityHotkeys, AFeatureInUseOrWithoutItsHotkeyIsLeftAlone)
{
    g_fake.stickyKeys.dwFlags |= SKF_STICKYKEYSON;
    g_fake.filterKeys.dwFlags |= FKF_FILTERKEYSON;
    g_fake.toggleKeys.dwFlags &= ~static_cast<DWORD>(TKF_HOTKEYACTIVE);
    parent = g_fake;
    w32::SwitchOffAccessibilityHotkeys();
    w32::UndoKidproofing();
    EXPECT_TRUE(g_fake.sets.empty());
    ExpectParentSettings();
}

TEST_F(AccessibilityHotkeys, WhatWineReports)
{
    // Found by trying: Wine reports every feature off with its hotkey off, so
    // the program changes nothing there.
    w32::TheShell().kidproof.systemParameters = SystemParametersInfoA;
    STICKYKEYS sticky{sizeof sticky, 0xFFFFFFFFu};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSTICKYKEYS, sizeof sticky, &sticky, 0));
    EXPECT_EQ(sticky.dwFlags & (SKF_STICKYKEYSON | SKF_HOTKEYACTIVE), 0u);
    // ...and keeps nothing that is set.
    STICKYKEYS hotkey{sizeof hotkey, SKF_AVAILABLE | SKF_HOTKEYACTIVE};
    SystemParametersInfoA(SPI_SETSTICKYKEYS, sizeof hotkey, &hotkey, 0);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSTICKYKEYS, sizeof sticky, &sticky, 0));
    EXPECT_EQ(sticky.dwFlags & SKF_HOTKEYACTIVE, 0u);
    // The real calls run through without touching anything.
    w32::SwitchOffAccessibilityHotkeys();
    w32::UndoKidproofing();
}

// The execution-state requests, as asked.
std::vector<EXECUTION_STATE> g_requests;
EXECUTION_STATE WINAPI RecordExecutionState(EXECUTION_STATE state)
{
    g_requests.push_back(state);
    return ES_CONTINUOUS;
}

class DisplayRequest : public WindowTest {};

TEST_F(DisplayRequest, FollowsAutoDraw)
{
    g_requests.clear();
    w32::TheShell().kidproof.executionState = RecordExecutionState;
    OptionsRecord options = AllOptionsOff();
    options.autoDraw = 1;
    w32::KeepDisplayAwake(DisplayMustStayAwake(options));
    options.autoDraw = 0;
    w32::KeepDisplayAwake(DisplayMustStayAwake(options));
    options.autoDraw = 1;
    w32::KeepDisplayAwake(DisplayMustStayAwake(options));
    w32::UndoKidproofing();
    w32::TheShell().kidproof.executionState = SetThreadExecutionState;
    const EXECUTION_STATE awake = ES_CONTINUOUS | ES_DISPLAY_REQUIRED;
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{awake, ES_CONTINUOUS, awake, ES_CONTINUOUS}));

    // Auto draw ticked or unticked in the options dialog, then OK.
    g_requests.clear();
    w32::TheShell().kidproof.executionState = RecordExecutionState;
    RECT frame{};
    GetWindowRect(window(), &frame);
    SetCursorPos(frame.left + 2, frame.top + 2);  // the modal loop sees real input
    for (int32_t before : {0, 1}) {
        toy().options.autoDraw = before;
        const bool opened = DriveModalDialog(
            "Scrivlet options", window(), [] { Send(WM_COMMAND, IDM_OPTIONS, 0); },
            [](HWND dialog) {
                SendDlgItemMessageA(dialog, IDC_AUTO_DRAW, BM_CLICK, 0, 0);
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            });
        EXPECT_TRUE(opened);
        EXPECT_EQ(toy().options.autoDraw, before ? 0 : 1);
    }
    w32::TheShell().kidproof.executionState = SetThreadExecutionState;
    EXPECT_EQ(g_requests, (std::vector<EXECUTION_STATE>{awake, ES_CONTINUOUS}));

    // The platform's own call: each request reads back as the thread's state.
    w32::KeepDisplayAwake(DisplayMustStayAwake(options));
    EXPECT_EQ(SetThreadExecutionState(awake), awake);
    w32::UndoKidproofing();
    EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS), ES_CONTINUOUS);
}

// scrivlet.exe of the same build, beside this test program.
std::string ProductExe()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of("\\/") + 1) + "scrivlet.exe";
}

BOOL CALLBACK CountToyWindows(HWND window, LPARAM data)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, w32::kWindowClassName) == 0)
        ++*reinterpret_cast<int*>(data);
    return TRUE;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Waits for a process while this thread keeps handling its messages (the
// other process's activation of our window needs them); gives up at 20 s.
// Under Wine the activation is a message to this thread that the other
// process may have sent just before it ended, so what is queued when it
// has ended is handled too.
bool WaitPumping(HANDLE process)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        const bool ended = MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0;
        PumpMessages();
        if (ended)
            return true;
    }
    return false;
}

class OneInstance : public WindowTest {};

TEST_F(OneInstance, ASecondStartBringsTheRunningWindowToTheFrontAndExits0)
{
    // This test program plays the running toy: it holds the instance mark
    // and its main window is of the toy's class.
    EXPECT_FALSE(w32::AnotherInstanceRuns());
    EXPECT_FALSE(w32::AnotherInstanceRuns()) << "this process is the running one";

    HWND other = CreateWindowExA(0, "Static", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300,
                                 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    std::string command = "\"" + ProductExe() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << command;
    const bool ended = WaitPumping(process.hProcess);
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &status);
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    EXPECT_TRUE(ended) << "the second start is still running";
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(GetForegroundWindow(), window());
    int toyWindows = 0;
    EnumWindows(CountToyWindows, reinterpret_cast<LPARAM>(&toyWindows));
    EXPECT_EQ(toyWindows, 1);
    DestroyWindow(other);
}

}  // namespace
