// The curtains on Wine's virtual desktop, one monitor: none is made there;
// and one shown by hand hears the child as the toy does, through its own
// window procedure.
#include "win32/curtains_win.h"
#include "tests/win/window_fixture.h"

namespace {

// lParam of a key release: repeat count 1, previous state down, transition up.
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);

class Curtains : public WindowTest {
protected:
    void TearDown() override { ShowCurtains({}); }
};

TEST_F(Curtains, OneMonitorGetsNone)
{
    TellMonitors(window());
    EXPECT_EQ(TheProgram().monitors.size(), 1u) << "Wine's virtual desktop is one monitor";
    Send(WM_ACTIVATEAPP, FALSE, 0);
    Send(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(CurtainWindows().empty());
}

TEST_F(Curtains, InputOnACurtainIsTheToys)
{
    struct Case {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool stamps;
    };
    const Case cases[] = {
        {"key released", WM_KEYUP, 'A', kKeyUpBits, true},
        {"key pressed", WM_KEYDOWN, 'A', 1, false},
        {"pointer moved", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), false},
        {"left button", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), false},
        {"right button", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5), false},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5), false},
        {"closed", WM_CLOSE, 0, 0, false},
    };
    const RECT client = ClientRect();
    for (const Case& c : cases) {
        SetUp();
        ShowCurtains({Box{client.right - 200, client.bottom - 150, client.right - 50, client.bottom - 50}});
        ASSERT_EQ(CurtainWindows().size(), 1u);
        HWND curtain = CurtainWindows()[0];
        MovePointer(100, 100);
        MovePointer(120, 110);
        Toy expected = toy();
        if (c.stamps)
            OnKeyReleased(expected, client.right, client.bottom);
        else
            LiftPen(expected.pen);
        const Pixels before = GrabCanvas(client);
        SendMessageA(curtain, c.message, c.wParam, c.lParam);
        SCOPED_TRACE(c.what);
        ExpectSameToy(expected, toy());
        EXPECT_EQ(CountDifferent(before, GrabCanvas(client)) > 0, c.stamps);
        EXPECT_TRUE(IsWindow(curtain));
    }
}

}  // namespace
