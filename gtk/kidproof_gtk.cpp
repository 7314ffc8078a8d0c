// Kid-proofing while the toy's window is active. On X11 an active keyboard
// grab keeps the Super keys, Ctrl+Esc and the desktop's shortcuts from the
// window manager, and a pointer grab confined to the drawing area holds the
// pointer. On Wayland GDK's keyboard-only grab asks the compositor to
// inhibit its shortcuts instead (the compositor may ask the user once to
// allow it), and the compositor confines the pointer where it offers that.
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

#ifndef SCRIVLET_GDK_WAYLAND
bool OnWayland() { return false; }
bool ConfineWaylandPointer(GdkWindow*) { return false; }
void FreeWaylandPointer() {}
#endif

namespace {

bool g_keyboardHeld = false;
bool g_pointerHeld = false;
// Where the X keyboard focus was at the last look, and whether the toy let
// go because it went to another program.
Window g_lastFocus = None;
bool g_awayByFocus = false;

bool OnX11() { return GDK_IS_X11_DISPLAY(gdk_display_get_default()); }

Display* XDisplayOf() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

GdkWindow* WindowOf(GtkWidget* widget) { return widget ? gtk_widget_get_window(widget) : nullptr; }

// True when `window` is the toy's top-level window or lies inside it. The
// focus window may be gone by the time it is asked about (a dialog that
// just closed): the caller traps X errors, and such a window is not ours.
bool IsOurs(Display* display, Window window, Window toplevel)
{
    while (window != None && window != PointerRoot) {
        if (window == toplevel)
            return true;
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        if (parent == root)
            return false;
        window = parent;
    }
    return false;
}

void GrabKeyboard()
{
    GdkWindow* window = WindowOf(TheShell().window);
    if (!window || !gdk_window_is_viewable(window))
        return;
    if (OnX11()) {
        g_keyboardHeld = XGrabKeyboard(XDisplayOf(), GDK_WINDOW_XID(window), True, GrabModeAsync, GrabModeAsync,
                                       CurrentTime) == GrabSuccess;
        return;
    }
    // A compositor with no keyboard (a headless one) has no seat to grab.
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (!seat)
        return;
    g_keyboardHeld = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_KEYBOARD, TRUE, nullptr, nullptr, nullptr,
                                   nullptr) == GDK_GRAB_SUCCESS;
}

void UngrabKeyboard()
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

}  // namespace

void SetTitle(const char* title)
{
    if (TheShell().window)
        gtk_window_set_title(GTK_WINDOW(TheShell().window), title);
}

// Our own menus and dialogs take and drop grabs of their own, which ends
// ours: the core takes it again when the window is active again.
void HoldKeyboard(bool hold)
{
    if (hold)
        GrabKeyboard();
    else
        UngrabKeyboard();
}

bool KeyboardHeld() { return g_keyboardHeld; }

bool ConfinePointer()
{
    GdkWindow* area = WindowOf(TheShell().area);
    if (!area || !gdk_window_is_viewable(area))
        return false;
    if (OnWayland())
        return ConfineWaylandPointer(area);
    if (!OnX11() || !gdk_window_ensure_native(area))
        return false;
    // Owner events keep GTK's own handling of the pointer: only where it may
    // go changes.
    const unsigned int mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    g_pointerHeld = XGrabPointer(XDisplayOf(), GDK_WINDOW_XID(area), True, mask, GrabModeAsync, GrabModeAsync,
                                 GDK_WINDOW_XID(area), None, CurrentTime) == GrabSuccess;
    return g_pointerHeld;
}

void FreePointer()
{
    FreeWaylandPointer();
    if (!g_pointerHeld)
        return;
    g_pointerHeld = false;
    XUngrabPointer(XDisplayOf(), CurrentTime);
    XFlush(XDisplayOf());
}

void FollowKeyboardFocus()
{
    GdkWindow* window = WindowOf(TheShell().window);
    if (!OnX11() || !window)
        return;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(XDisplayOf(), &focus, &revert);
    if (focus == g_lastFocus)
        return;
    g_lastFocus = focus;
    GdkDisplay* display = gdk_display_get_default();
    gdk_x11_display_error_trap_push(display);
    const bool ours = IsOurs(XDisplayOf(), focus, GDK_WINDOW_XID(window));
    if (gdk_x11_display_error_trap_pop(display) != 0) {
        // Asked about a window that has gone: look again next time.
        g_lastFocus = None;
        return;
    }
    if (!ours) {
        if (!g_keyboardHeld)
            return;
        g_awayByFocus = true;
        OnActivation(TheProgram(), false);
    } else if (g_awayByFocus) {
        g_awayByFocus = false;
        OnActivation(TheProgram(), true);
    }
}

namespace {

Atom g_activeWindowAtom = None;

GdkFilterReturn OnRootEvent(GdkXEvent* xevent, GdkEvent*, gpointer)
{
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type == PropertyNotify && event->xproperty.atom == g_activeWindowAtom)
        FollowKeyboardFocus();
    return GDK_FILTER_CONTINUE;
}

}  // namespace

bool WatchActiveWindow()
{
    if (g_activeWindowAtom != None)
        return true;
    if (!OnX11())
        return false;
    GdkScreen* screen = gdk_screen_get_default();
    if (!gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW")))
        return false;
    g_activeWindowAtom = gdk_x11_get_xatom_by_name_for_display(gdk_display_get_default(), "_NET_ACTIVE_WINDOW");
    GdkWindow* root = gdk_screen_get_root_window(screen);
    gdk_window_set_events(root, static_cast<GdkEventMask>(gdk_window_get_events(root) | GDK_PROPERTY_CHANGE_MASK));
    gdk_window_add_filter(root, OnRootEvent, nullptr);
    return true;
}
