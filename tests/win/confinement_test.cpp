// Pointer confinement under Wine, through the core's sequences and the
// shell's table: the clip is the client area in screen coordinates and the
// title says so; activation both ways, shutdown, the options dialog and a
// start with the option stored on. Wine applies a clip only for
// the first program of a fresh wineserver, so this suite gets one.
#include <string>

#include "res/resource.h"
#include "tests/win/dialog_driver.h"
#include "tests/win/window_fixture.h"

namespace {

RECT ClientOnScreen()
{
    RECT client = ClientRect();
    MapWindowPoints(MainWindowUnderTest(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

RECT WholeScreen()
{
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

// What confinement looks like from outside: the clip and the title.
struct Seen {
    std::string clip;
    std::string title;
};

Seen Look()
{
    RECT clip{};
    GetClipCursor(&clip);
    char title[64] = "";
    GetWindowTextA(MainWindowUnderTest(), title, sizeof title);
    return Seen{Text(clip), title};
}

Seen Confined() { return Seen{Text(ClientOnScreen()), kConfinedTitle}; }
Seen Free() { return Seen{Text(WholeScreen()), kPlainTitle}; }

// Wine now and then drops a clip while it moves the focus (from a closed
// dialog back to the window, say); the toy sees that on its next tick and
// clips again. So a look that differs waits for the timer, up to two
// seconds, pumping this thread's messages.
void ExpectSeen(const Seen& expected, const char* when)
{
    Seen seen = Look();
    for (int i = 0; i < 100 && (seen.clip != expected.clip || seen.title != expected.title); ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        seen = Look();
    }
    EXPECT_EQ(seen.clip, expected.clip) << when;
    EXPECT_EQ(seen.title, expected.title) << when;
}

// Moves the pointer and reads where it went. Wine lets go of the pointer a
// moment after the clip is freed, so the move is tried for up to a second.
POINT PointerAfterMoveTo(int x, int y)
{
    POINT at{};
    for (int i = 0; i < 50; ++i) {
        SetCursorPos(x, y);
        GetCursorPos(&at);
        if (at.x == x && at.y == y)
            break;
        Sleep(20);
    }
    return at;
}

class PointerConfinement : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Free, with the plain title, and nothing the toy would hold again.
        toy().options.clipMousePointer = 0;
        ApplyPointerMoment(TheProgram(), PointerMoment::OptionsClosed);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath);
    }
    void TearDown() override
    {
        ClipCursor(nullptr);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath);
    }
};

TEST_F(PointerConfinement, ActivationBothWaysWithTheOptionOnAndOff)
{
    // A clip smaller than the screen, or the test would prove nothing.
    ASSERT_NE(Text(ClientOnScreen()), Text(WholeScreen()));
    ExpectSeen(Free(), "before");
    toy().options.clipMousePointer = 1;
    Send(WM_ACTIVATEAPP, TRUE, 0);
    ExpectSeen(Confined(), "on, activated");
    // The pointer cannot leave: a move to the screen's corner stops at the edge.
    EXPECT_GE(PointerAfterMoveTo(0, 0).y, ClientOnScreen().top);
    Send(WM_ACTIVATEAPP, FALSE, 0);
    ExpectSeen(Free(), "on, deactivated");
    EXPECT_EQ(PointerAfterMoveTo(0, 0).y, 0);
    Send(WM_ACTIVATEAPP, TRUE, 0);
    ExpectSeen(Confined(), "on, activated again");

    // With the option off, activation changes neither the clip nor the title.
    toy().options.clipMousePointer = 0;
    Send(WM_ACTIVATEAPP, FALSE, 0);
    ExpectSeen(Confined(), "off, deactivated");
    ApplyPointerMoment(TheProgram(), PointerMoment::OptionsClosed);
    ExpectSeen(Free(), "off, options closed");
    Send(WM_ACTIVATEAPP, TRUE, 0);
    ExpectSeen(Free(), "off, activated");

    // Shutdown frees the clip and leaves the title alone.
    toy().options.clipMousePointer = 1;
    Send(WM_ACTIVATEAPP, TRUE, 0);
    ExpectSeen(Confined(), "on, activated before shutdown");
    StopProgram(TheProgram());
    ExpectSeen(Seen{Text(WholeScreen()), kConfinedTitle}, "shutdown");
}

// Restoring a minimised toy activates it before its client area is back: the
// clip must wait for the window rather than pin the pointer to a corner.
TEST_F(PointerConfinement, ActivatedWhileMinimisedConfinesOnceShown)
{
    toy().options.clipMousePointer = 1;
    ShowWindow(window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window()));
    Send(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(Look().clip, Text(WholeScreen())) << "minimised and activated";
    ShowWindow(window(), SW_SHOWMAXIMIZED);
    ASSERT_TRUE(IsZoomed(window()));
    ExpectSeen(Confined(), "shown again");
    EXPECT_GE(PointerAfterMoveTo(0, 0).y, ClientOnScreen().top);
}

TEST_F(PointerConfinement, TheOptionsDialogTurnsItOnAndOff)
{
    RECT frame{};
    GetWindowRect(window(), &frame);
    SetCursorPos(frame.left + 2, frame.top + 2);
    const auto runDialog = [this](int button, bool clickClipBox) {
        return DriveModalDialog(
            "Scrivlet options", window(), [] { Send(WM_COMMAND, IDM_OPTIONS, 0); },
            [=](HWND dialog) {
                if (clickClipBox)
                    SendDlgItemMessageA(dialog, IDC_CLIP_MOUSE_POINTER, BM_CLICK, 0, 0);
                PostMessageA(dialog, WM_COMMAND, button, 0);
            });
    };
    ASSERT_TRUE(runDialog(IDOK, true));
    EXPECT_EQ(toy().options.clipMousePointer, 1);
    ExpectSeen(Confined(), "ticked, OK");

    // Whatever closes the dialog, the option as it stands decides.
    Send(WM_ACTIVATEAPP, FALSE, 0);
    ExpectSeen(Free(), "on, deactivated");
    ASSERT_TRUE(runDialog(IDCANCEL, true));
    EXPECT_EQ(toy().options.clipMousePointer, 1);
    ExpectSeen(Confined(), "unticked, Cancel");

    ASSERT_TRUE(runDialog(IDOK, true));
    EXPECT_EQ(toy().options.clipMousePointer, 0);
    ExpectSeen(Free(), "unticked, OK");
}

// The core's start-up through the shell's table: the stored options read,
// then the canvas made.
TEST_F(PointerConfinement, AStartWithTheOptionStoredOnConfinesAtOnce)
{
    OptionsRecord stored = DefaultOptions();
    stored.clipMousePointer = 1;
    ASSERT_EQ(w32::SaveOptions(stored), 0);
    StartProgram(TheProgram());
    EXPECT_EQ(toy().options.clipMousePointer, 1);
    CanvasMade(TheProgram(), w32::TheShell().canvas.bounds);
    ExpectSeen(Confined(), "stored on");

    // No stored options: the defaults, and a free pointer.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, w32::kOptionsKeyPath);
    StartProgram(TheProgram());
    EXPECT_EQ(toy().options.clipMousePointer, 0);
    CanvasMade(TheProgram(), w32::TheShell().canvas.bounds);
    ExpectSeen(Free(), "nothing stored");
}

}  // namespace
