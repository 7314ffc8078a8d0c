// The curtains over the other monitors: black popup windows owned by the
// main window, so that they stay above other programs' windows and under
// the toy's own dialogs, with no taskbar button. The core says how many
// there are and where each goes; whatever the child does on one goes to the
// core as curtain input.
#include <algorithm>

#include "win32/shell_win.h"

namespace w32 {
namespace {

bool IsCurtain(HWND window)
{
    const std::vector<HWND>& curtains = TheShell().curtains;
    return std::find(curtains.begin(), curtains.end(), window) != curtains.end();
}

void KeyReleasedOnCurtain()
{
    // It stamps as in the main window: over the main window's client area.
    RECT client{};
    GetClientRect(TheShell().window, &client);
    OnKeyUp(TheProgram(), client.right, client.bottom);
}

LRESULT CALLBACK CurtainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Program& program = TheProgram();
    switch (message) {
    case WM_MOUSEACTIVATE:
    case kPointerActivate:
        // The click or touch is heard below; the curtain itself never
        // becomes active.
        return MA_NOACTIVATE;  // PA_NOACTIVATE has the same value
    case WM_ACTIVATE:
        // Activated all the same (by the system or a window manager): the
        // activation goes back to the toy.
        if (LOWORD(wParam) != WA_INACTIVE)
            ActivateToy();
        return 0;
    case WM_MOUSEMOVE:
        OnCurtainInput(program, CurtainInput::PointerMove);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDBLCLK:
        OnCurtainInput(program, CurtainInput::Button);
        return 0;
    case kPointerDown:
        // A finger lands as a click does; mouse messages Windows makes from
        // a finger are clicks already.
        OnCurtainInput(program, CurtainInput::Button);
        return 0;
    case kPointerUpdate:
    case kPointerUp:
    case kPointerCaptureChanged:
        return 0;
    case WM_MOUSEWHEEL:
        OnCurtainInput(program, CurtainInput::Wheel);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnCurtainInput(program, CurtainInput::Key);
        return 0;
    case WM_KEYUP:
        KeyReleasedOnCurtain();
        return 0;
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return 0;
    case WM_CLOSE:
        // Alt+F4 on a curtain: the curtain is the toy's, and stays.
        ActivateToy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE OwnerInstance()
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(TheShell().window, GWLP_HINSTANCE));
}

bool RegisterCurtainClass()
{
    WNDCLASSA existing{};
    if (GetClassInfoA(OwnerInstance(), kCurtainClassName, &existing))
        return true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = CurtainProc;
    windowClass.hInstance = OwnerInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCurtainClassName;
    return RegisterClassA(&windowClass) != 0;
}

HWND MakeCurtain()
{
    if (!RegisterCurtainClass())
        return nullptr;
    // No title: a curtain is no window a parent switches to.
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCurtainClassName, "", WS_POPUP, 0, 0, 1, 1,
                           TheShell().window, nullptr, OwnerInstance(), nullptr);
}

struct Monitors {
    std::vector<Box> boxes;
    size_t primary = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    auto* monitors = reinterpret_cast<Monitors*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors->primary = monitors->boxes.size();
    const RECT& r = info.rcMonitor;
    monitors->boxes.push_back(Box{r.left, r.top, r.right, r.bottom});
    return TRUE;
}

}  // namespace

bool AddCurtain()
{
    HWND curtain = TheShell().window ? MakeCurtain() : nullptr;
    if (curtain)
        TheShell().curtains.push_back(curtain);
    return curtain != nullptr;
}

void RemoveCurtain()
{
    DestroyWindow(TheShell().curtains.back());
    TheShell().curtains.pop_back();
}

void PlaceCurtain(size_t index, const Box& box)
{
    SetWindowPos(TheShell().curtains[index], HWND_TOP, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // A dialog of the toy's that was open when they came back stays above
    // them.
    HWND dialog = GetLastActivePopup(TheShell().window);
    if (dialog && dialog != TheShell().window && !IsCurtain(dialog) && IsWindowVisible(dialog))
        SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HideCurtain(size_t index) { ShowWindow(TheShell().curtains[index], SW_HIDE); }

void ActivateToy()
{
    HWND owner = TheShell().window;
    if (!owner || !IsWindow(owner))
        return;
    HWND target = GetLastActivePopup(owner);
    if (!target || IsCurtain(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
        target = owner;
    SetForegroundWindow(target);
    SetActiveWindow(target);
}

void TellMonitors(HWND window)
{
    Monitors monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    RECT frame{};
    GetWindowRect(window, &frame);
    OnMonitorsChanged(TheProgram(), monitors.boxes, monitors.primary,
                      Box{frame.left, frame.top, frame.right, frame.bottom});
}

}  // namespace w32
