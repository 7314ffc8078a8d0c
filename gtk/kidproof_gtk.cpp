// Kid-proofing while the toy's window is active. On X11 an active keyboard
// grab keeps the Super keys, Ctrl+Esc and the desktop's shortcuts from the
// window manager, and a pointer grab confined to the drawing area holds the
// pointer. On Wayland GDK's keyboard grab asks the compositor to inhibit its
// shortcuts instead; the pointer cannot be confined there.
#include <gdk/gdkx.h>

#include "gtk/shell_gtk.h"

namespace {

bool g_keyboardHeld = false;
bool g_pointerHeld = false;

bool OnX11() { return GDK_IS_X11_DISPLAY(gdk_display_get_default()); }

Display* XDisplayOf() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

GdkWindow* WindowOf(GtkWidget* widget) { return widget ? gtk_widget_get_window(widget) : nullptr; }

void SetTitle(const char* title)
{
    if (TheShell().window)
        gtk_window_set_title(GTK_WINDOW(TheShell().window), title);
}

}  // namespace

// Our own menus and dialogs take and drop grabs of their own, which ends
// ours: callers take it again when the window is active again.
void HoldKeyboard()
{
    GdkWindow* window = WindowOf(TheShell().window);
    if (!window || !gdk_window_is_viewable(window))
        return;
    if (OnX11()) {
        g_keyboardHeld = XGrabKeyboard(XDisplayOf(), GDK_WINDOW_XID(window), True, GrabModeAsync, GrabModeAsync,
                                       CurrentTime) == GrabSuccess;
        return;
    }
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    g_keyboardHeld = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_KEYBOARD, TRUE, nullptr, nullptr, nullptr,
                                   nullptr) == GDK_GRAB_SUCCESS;
}

bool KeyboardHeld() { return g_keyboardHeld; }

void ReleaseKeyboard()
{
    if (!g_keyboardHeld)
        return;
    g_keyboardHeld = false;
    if (OnX11()) {
        XUngrabKeyboard(XDisplayOf(), CurrentTime);
        XFlush(XDisplayOf());
        return;
    }
    gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
}

void ConfinePointer()
{
    SetTitle(kConfinedTitle);
    GdkWindow* area = WindowOf(TheShell().area);
    if (!OnX11() || !area || !gdk_window_is_viewable(area) || !gdk_window_ensure_native(area))
        return;
    // Owner events keep GTK's own handling of the pointer: only where it may
    // go changes.
    const unsigned int mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    g_pointerHeld = XGrabPointer(XDisplayOf(), GDK_WINDOW_XID(area), True, mask, GrabModeAsync, GrabModeAsync,
                                 GDK_WINDOW_XID(area), None, CurrentTime) == GrabSuccess;
}

void ReleasePointer()
{
    SetTitle(kPlainTitle);
    ReleasePointerGrab();
}

void ReleasePointerGrab()
{
    if (!g_pointerHeld)
        return;
    g_pointerHeld = false;
    XUngrabPointer(XDisplayOf(), CurrentTime);
    XFlush(XDisplayOf());
}

void ApplyConfinement()
{
    if (FlagOn(TheToy().options.clipMousePointer))
        ConfinePointer();
    else
        ReleasePointer();
}
