// ClipCursor for the core's pointer confinement, and the two steps with
// their titles that tests take one at a time.
#include "win32/confine_win.h"

namespace {

// Activating a minimised program (from the taskbar, or with Alt+Tab) reaches
// the window before it is restored. Its client area is then empty and far off
// screen, and a clip to it would pin the pointer in a corner.
bool g_clipWaitsForWindow = false;
// The clip as the system keeps it: the client area cut to the screen.
RECT g_clip{};

}  // namespace

bool PointerClipInForce()
{
    if (g_clipWaitsForWindow)
        return true;
    RECT inForce{};
    return GetClipCursor(&inForce) && EqualRect(&inForce, &g_clip);
}

bool ClipPointerToClient(HWND window)
{
    if (IsIconic(window)) {
        g_clipWaitsForWindow = true;
        return true;
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
    // Wine now and then keeps no clip (a clip asked for while it moves the
    // focus, or by a program started after another's window closed): what
    // GetClipCursor gives back says whether this one holds.
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (!IntersectRect(&g_clip, &clip, &screen))
        g_clip = clip;
    return ClipCursor(&clip) && PointerClipInForce();
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
