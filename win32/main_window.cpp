// The main window procedure: decodes each message into the core's call.
// Handlers stay short.
#include <windowsx.h>

#include "core/menu_keys.h"
#include "core/menu_table.h"
#include "win32/shell_win.h"

namespace w32 {

namespace {

// A captured pointer left of or above the client area comes as a negative
// 16-bit coordinate.
Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// A held button keeps the pointer's messages coming here, off the window
// too, until it is released.
void HoldCapture(HWND window, bool down)
{
    if (down)
        SetCapture(window);
    else
        ReleaseCapture();
}

void PressOrRelease(HWND window, MouseButton button, bool down)
{
    OnMouseButton(TheProgram(), button, down);
    HoldCapture(window, down);
}

// A mouse message Windows made from a finger goes to the core as that
// finger, and true is returned; a finger's press holds the capture as a
// button's does, so that its lift comes here even off the window.
bool FingerMadeIt(HWND window, UINT message, LPARAM lParam)
{
    const std::optional<MouseFromTouch> made = MouseMessageFromTouch(message);
    if (!made)
        return false;
    OnMouseFromTouch(TheProgram(), *made, PointOf(lParam));
    if (*made != MouseFromTouch::Move)
        HoldCapture(window, *made == MouseFromTouch::LeftDown || *made == MouseFromTouch::RightDown);
    return true;
}

// The bar's popup that `menu` is, or -1.
int PopupIndexOf(HMENU bar, HMENU menu)
{
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(bar, i) == menu)
            return i;
    }
    return -1;
}

// A letter that matched no '&' mnemonic: on the menu bar (Alt+letter) it
// opens the popup whose title starts with it; in one of our open popups it
// chooses the item, as Windows does and Wine does not. Other menus get 0.
// The window is a Unicode one, so the letter is UTF-16; the menu's texts
// are the core's own, in the same language as the menu.
LRESULT OnMenuChar(HWND window, WPARAM wParam, LPARAM lParam)
{
    HMENU bar = GetMenu(window);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (!bar || !menu)
        return 0;
    int index = -1;
    const int popup = PopupIndexOf(bar, menu);
    if (menu == bar)
        index = PopupForLetter(LOWORD(wParam), MenuTitles());
    else if (popup >= 0)
        index = PopupItemForLetter(LOWORD(wParam), MenuItemTexts(popup));
    return index < 0 ? 0 : MAKELRESULT(index, MNC_EXECUTE);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Program& program = TheProgram();
    switch (message) {
    case WM_DESTROY:
        ForgetTouch(window);
        ReleaseWindowSurface();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        RepaintFromCanvas(paint.hdc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ENDSESSION:
        // The process may be ended without another message: keep the
        // options of this run and give back now what the toy changed in the
        // system.
        if (wParam) {
            SessionEnding(program);
            UndoKidproofing();
        }
        break;
    case WM_MENUCHAR:
        if (LRESULT result = OnMenuChar(window, wParam, lParam))
            return result;
        break;
    case WM_SYSCOMMAND:
        if (SwallowSystemCommand(wParam, lParam))
            return 0;
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            PointerWindowShown();
            TellMonitors(window);
        }
        break;
    case WM_MOVE:
    case WM_DISPLAYCHANGE:
        TellMonitors(window);
        break;
    case WM_ACTIVATEAPP:
        OnActivation(program, wParam != 0);
        break;
    case WM_KEYUP: {
        RECT client{};
        GetClientRect(window, &client);
        OnKeyUp(program, client.right, client.bottom);
        break;
    }
    case WM_COMMAND:
        // The whole wParam is compared, so only menu selections (high word 0)
        // match a command.
        if (HIWORD(wParam) == 0)
            OnCommand(program, LOWORD(wParam));
        break;
    case WM_TIMER:
        OnTick(program);
        break;
    case WM_MOUSEMOVE:
        if (!FingerMadeIt(window, message, lParam))
            OnPointerMove(program, PointOf(lParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (!FingerMadeIt(window, message, lParam))
            PressOrRelease(window, MouseButton::Left, message == WM_LBUTTONDOWN);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (!FingerMadeIt(window, message, lParam))
            PressOrRelease(window, MouseButton::Right, message == WM_RBUTTONDOWN);
        break;
    // Answered with 0, so that Windows makes no mouse messages and no
    // gestures of its own from the fingers.
    case kPointerDown:
    case kPointerUpdate:
    case kPointerUp:
    case kPointerCaptureChanged:
        OnPointerMessage(window, message, wParam, lParam);
        return 0;
    case kTouchMessage:
        if (OnTouchMessage(window, wParam, lParam))
            return 0;
        break;
    case kTabletQuerySystemGestureStatus:
        return SystemGesturesOff();
    case WM_MOUSEWHEEL:
        OnWheel(program);
        break;
    case MM_WOM_DONE:
        OnKeySoundDone();
        return 0;
    case WM_EXITMENULOOP:
        OnMenuClosed(program, GetActiveWindow() == window);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace w32
