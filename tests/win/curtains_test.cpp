// The curtains on Wine's virtual desktop, one monitor: none is made there;
// and those the core asks for over monitors it is told of (beside the
// screen) stay under the toy's dialogs and hear the child as the toy does,
// through their own window procedure.
#include "tests/win/window_fixture.h"

namespace {

// lParam of a key release: repeat count 1, previous state down, transition up.
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);

class Curtains : public WindowTest {
protected:
    // The toy's window on the first of `count` monitors side by side, the
    // others off the screen; the toy active, so the core wants a curtain
    // over each of the others.
    static void CurtainsOverMonitors(size_t count)
    {
        RECT frame{};
        GetWindowRect(MainWindowUnderTest(), &frame);
        std::vector<Box> monitors;
        for (size_t i = 0; i < count; ++i)
            monitors.push_back(Box{static_cast<int>(i) * 3000, 0, static_cast<int>(i) * 3000 + 1280, 800});
        OnMonitorsChanged(TheProgram(), monitors, Box{frame.left, frame.top, frame.right, frame.bottom});
        Send(WM_ACTIVATEAPP, TRUE, 0);
    }
    void TearDown() override
    {
        CurtainsOverMonitors(1);
        w32::TellMonitors(MainWindowUnderTest());
    }
    static const std::vector<HWND>& CurtainWindows() { return w32::TheShell().curtains; }
};

TEST_F(Curtains, OneMonitorGetsNone)
{
    w32::TellMonitors(window());
    EXPECT_EQ(TheProgram().monitors.size(), 1u) << "Wine's virtual desktop is one monitor";
    Send(WM_ACTIVATEAPP, FALSE, 0);
    Send(WM_ACTIVATEAPP, TRUE, 0);
    for (HWND curtain : CurtainWindows())
        EXPECT_FALSE(IsWindowVisible(curtain));
}

// Owned windows all lie above their owner; among them a dialog that is open
// when the curtains come back (the parent switched back to it) stays on top.
TEST_F(Curtains, AnOpenDialogStaysAboveThem)
{
    HWND dialog = CreateWindowExA(0, "STATIC", "a dialog", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 100, 300, 200,
                                  window(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    SetActiveWindow(dialog);
    CurtainsOverMonitors(3);
    ASSERT_EQ(CurtainWindows().size(), 2u);
    for (HWND above = GetWindow(dialog, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
        for (HWND curtain : CurtainWindows())
            EXPECT_NE(above, curtain) << "a curtain above the dialog";
    for (HWND curtain : CurtainWindows()) {
        EXPECT_EQ(GetWindow(curtain, GW_OWNER), window());
        EXPECT_TRUE(GetWindowLongA(curtain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no taskbar button";
    }
    DestroyWindow(dialog);
    SetActiveWindow(window());
}

TEST_F(Curtains, InputOnACurtainIsTheToys)
{
    enum Effect { Stamps, LiftsThePen, None };
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Effect effect;
    };
    const Case cases[] = {
        {"key released", WM_KEYUP, 'A', kKeyUpBits, Stamps},
        {"key pressed", WM_KEYDOWN, 'A', 1, LiftsThePen},
        {"pointer moved", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), LiftsThePen},
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), LiftsThePen},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5), LiftsThePen},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5), LiftsThePen},
        {"finger landed", w32::kPointerDown, MAKEWPARAM(1, 0x0006), MAKELPARAM(5, 5), LiftsThePen},
        {"finger moved", w32::kPointerUpdate, MAKEWPARAM(1, 0x0006), MAKELPARAM(9, 5), None},
        {"Alt+F4", WM_CLOSE, 0, 0, None},
    };
    const RECT client = ClientRect();
    for (const Case& c : cases) {
        SetUp();
        CurtainsOverMonitors(2);
        ASSERT_EQ(CurtainWindows().size(), 1u);
        HWND curtain = CurtainWindows()[0];
        MovePointer(100, 100);
        MovePointer(120, 110);
        Toy expected = toy();
        if (c.effect == Stamps)
            OnKeyReleased(expected, client.right, client.bottom);
        else if (c.effect == LiftsThePen)
            LiftPen(expected.pen);
        const Pixels before = GrabCanvas(client);
        SendMessageA(curtain, c.message, c.wParam, c.lParam);
        SCOPED_TRACE(c.what);
        ExpectSameToy(expected, toy());
        EXPECT_EQ(CountDifferent(before, GrabCanvas(client)) > 0, c.effect == Stamps);
        EXPECT_TRUE(IsWindow(curtain));
    }
}

}  // namespace
