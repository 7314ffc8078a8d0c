// ClipCursor and SetWindowText for the confinement table.
#include "win32/confine_win.h"

namespace {

// Activating a minimised program (from the taskbar, or with Alt+Tab) reaches
// the window before it is restored. Its client area is then empty and far off
// screen, and a clip to it would pin the pointer in a corner.
bool g_clipWaitsForWindow = false;

}  // namespace

void ConfinePointer(HWND window)
{
    if (IsIconic(window)) {
        g_clipWaitsForWindow = true;
        return;
    }
    g_clipWaitsForWindow = false;
    RECT client{};
    GetClientRect(window, &client);
    POINT topLeft{client.left, client.top};
    POINT bottomRight{client.right, client.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    RECT clip{};
    SetRect(&clip, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    ClipCursor(&clip);
    SetWindowTextA(window, kConfinedTitle);
}

void ReleasePointer(HWND window)
{
    g_clipWaitsForWindow = false;
    ClipCursor(nullptr);
    SetWindowTextA(window, kPlainTitle);
}

void PointerWindowShown(HWND window)
{
    if (g_clipWaitsForWindow)
        ConfinePointer(window);
}

void UpdatePointerConfinement(HWND window, PointerMoment moment, const OptionsRecord& options)
{
    switch (PointerActionFor(moment, FlagOn(options.clipMousePointer))) {
    case PointerAction::Confine:
        ConfinePointer(window);
        break;
    case PointerAction::Release:
        ReleasePointer(window);
        break;
    case PointerAction::FreeClip:
        ClipCursor(nullptr);
        break;
    case PointerAction::None:
        break;
    }
}
