// ClipCursor for the core's pointer confinement, and the two steps with
// their titles that tests take one at a time.
#include "win32/confine_win.h"

namespace {

// Activating a minimised program (from the taskbar, or with Alt+Tab) reaches
// the window before it is restored. Its client area is then empty and far off
// screen, and a clip to it would pin the pointer in a corner.
bool g_clipWaitsForWindow = false;

}  // namespace

void ClipPointerToClient(HWND window)
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
}

void FreePointer()
{
    g_clipWaitsForWindow = false;
    ClipCursor(nullptr);
}

void PointerWindowShown(HWND window)
{
    if (g_clipWaitsForWindow)
        ClipPointerToClient(window);
}

void ConfinePointer(HWND window)
{
    ClipPointerToClient(window);
    SetWindowTextA(window, kConfinedTitle);
}

void ReleasePointer(HWND window)
{
    FreePointer();
    SetWindowTextA(window, kPlainTitle);
}
