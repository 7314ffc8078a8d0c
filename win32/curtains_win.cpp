// Curtain windows: made on the first call that needs one, moved and shown on
// each call after, hidden when the toy is left and gone with their owner.
#include "win32/curtains_win.h"

#include <algorithm>

#include "core/program.h"

namespace {

HWND g_owner = nullptr;
std::vector<HWND> g_curtains;

bool IsCurtain(HWND window) { return std::find(g_curtains.begin(), g_curtains.end(), window) != g_curtains.end(); }

void KeyReleasedOnCurtain()
{
    // It stamps as in the main window: over the main window's client area.
    RECT client{};
    GetClientRect(g_owner, &client);
    OnKeyUp(TheProgram(), client.right, client.bottom);
}

LRESULT CALLBACK CurtainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Program& program = TheProgram();
    switch (message) {
    case WM_MOUSEACTIVATE:
        // The click is heard below; the curtain itself never becomes active.
        return MA_NOACTIVATE;
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

HINSTANCE OwnerInstance() { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(g_owner, GWLP_HINSTANCE)); }

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
                           g_owner, nullptr, OwnerInstance(), nullptr);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    auto* monitors = reinterpret_cast<std::vector<Box>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    const Box box{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors->insert(monitors->begin(), box);
    else
        monitors->push_back(box);
    return TRUE;
}

}  // namespace

void SetCurtainOwner(HWND owner)
{
    if (owner != g_owner) {
        for (HWND curtain : g_curtains)
            DestroyWindow(curtain);
        g_curtains.clear();
    }
    g_owner = owner;
}

void ShowCurtains(const std::vector<Box>& curtains)
{
    if (!g_owner || !IsWindow(g_owner))
        return;
    // Windows that died with an earlier owner are no curtains.
    g_curtains.erase(std::remove_if(g_curtains.begin(), g_curtains.end(), [](HWND w) { return !IsWindow(w); }),
                     g_curtains.end());
    while (g_curtains.size() > curtains.size()) {
        DestroyWindow(g_curtains.back());
        g_curtains.pop_back();
    }
    while (g_curtains.size() < curtains.size()) {
        HWND curtain = MakeCurtain();
        if (!curtain)
            break;
        g_curtains.push_back(curtain);
    }
    for (size_t i = 0; i < g_curtains.size(); ++i) {
        const Box& box = curtains[i];
        SetWindowPos(g_curtains[i], HWND_TOP, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    // A dialog of the toy's that was open when they came back stays above
    // them.
    HWND dialog = GetLastActivePopup(g_owner);
    if (dialog && dialog != g_owner && !IsCurtain(dialog) && IsWindowVisible(dialog))
        SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HideCurtains()
{
    for (HWND curtain : g_curtains)
        if (IsWindow(curtain))
            ShowWindow(curtain, SW_HIDE);
}

void ActivateToy()
{
    if (!g_owner || !IsWindow(g_owner))
        return;
    HWND target = GetLastActivePopup(g_owner);
    if (!target || IsCurtain(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
        target = g_owner;
    SetForegroundWindow(target);
    SetActiveWindow(target);
}

const std::vector<HWND>& CurtainWindows() { return g_curtains; }

void TellMonitors(HWND window)
{
    std::vector<Box> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    RECT frame{};
    GetWindowRect(window, &frame);
    OnMonitorsChanged(TheProgram(), monitors, Box{frame.left, frame.top, frame.right, frame.bottom});
}
