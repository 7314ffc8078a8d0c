// ClipCursor for the core's pointer confinement.
#include "win32/shell_win.h"

namespace w32 {

bool PointerClipInForce()
{
    const Confinement& pointer = TheShell().pointer;
    if (pointer.waitsForWindow)
        return true;
    RECT inForce{};
    return GetClipCursor(&inForce) && EqualRect(&inForce, &pointer.clip);
}

bool ClipPointerToClient()
{
    HWND window = TheShell().window;
    Confinement& pointer = TheShell().pointer;
    pointer.waitsForWindow = IsIconic(window);
    if (pointer.waitsForWindow)
        return true;
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
    if (!IntersectRect(&pointer.clip, &clip, &screen))
        pointer.clip = clip;
    return ClipCursor(&clip) && PointerClipInForce();
}

void FreePointer()
{
    TheShell().pointer.waitsForWindow = false;
    ClipCursor(nullptr);
}

void PointerWindowShown()
{
    if (TheShell().pointer.waitsForWindow)
        ClipPointerToClient();
}

}  // namespace w32
