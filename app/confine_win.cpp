// ClipCursor and SetWindowText for the confinement table.
#include "app/confine_win.h"

void ConfinePointer(HWND window)
{
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
    ClipCursor(nullptr);
    SetWindowTextA(window, kPlainTitle);
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
