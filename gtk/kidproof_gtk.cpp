// Kid-proofing while the toy is active, and the focus facts the core
// decides it from. On X11 an active keyboard grab keeps the Super keys,
// Ctrl+Esc and the desktop's shortcuts from the window manager, and a
// pointer grab confined to the drawing area holds the pointer. On Wayland
// GDK's keyboard-only grab asks the compositor to inhibit its shortcuts
// instead (the compositor may ask the user once to allow it), and the
// compositor confines the pointer where it offers that.
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

#include <algorithm>

#include "gtk/display_gtk.h"

namespace gtk3 {

#ifndef SCRIVLET_GDK_WAYLAND
bool OnWayland() { return false; }
bool ConfineWaylandPointer(GdkWindow*) { return false; }
void FreeWaylandPointer() {}
#endif

bool OnX11() { return GDK_IS_X11_DISPLAY(gdk_display_get_default()); }

// A focus moving between the toy's own windows passes through none of them
// (on Wayland the compositor gives the focus to a clicked curtain only
// after the toy's window has let it go; a dialog's focus moves in steps).
constexpr unsigned kFocusSettleTime = 250;

Display* XDisplayOf() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

GdkWindow* WindowOf(GtkWidget* widget) { return widget ? gtk_widget_get_window(widget) : nullptr; }

ToySurface SurfaceOf(gpointer window)
{
    const std::vector<GtkWidget*>& curtains = TheShell().curtains;
    if (window == TheShell().window)
        return ToySurface::Window;
    return std::find(curtains.begin(), curtains.end(), window) != curtains.end() ? ToySurface::Curtain
                                                                                  : ToySurface::Dialog;
}

// The top-level window of the toy's that `window` is or lies inside, or
// null. The focus window may be gone by the time it is asked about (a
// dialog that just closed): the caller traps X errors, and such a window is
// nobody's.
GtkWindow* ToplevelHolding(Display* display, Window window)
{
    GList* toplevels = gtk_window_list_toplevels();
    GtkWindow* found = nullptr;
    while (!found && window != None && window != PointerRoot) {
        for (GList* item = toplevels; item && !found; item = item->next) {
            GdkWindow* own = WindowOf(GTK_WIDGET(item->data));
            if (own && GDK_IS_X11_WINDOW(own) && GDK_WINDOW_XID(own) == window)
                found = GTK_WINDOW(item->data);
        }
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (found || !XQueryTree(display, window, &root, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        window = parent == root ? None : parent;
    }
    g_list_free(toplevels);
    return found;
}

gboolean OnSettleTimer(gpointer)
{
    TheShell().settleTimer = 0;
    OnFocusSettled(TheProgram());
    return G_SOURCE_REMOVE;
}

GdkFilterReturn OnRootEvent(GdkXEvent* xevent, GdkEvent*, gpointer)
{
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type == PropertyNotify && event->xproperty.atom == TheShell().activeWindowAtom)
        LookAtX11Focus();
    return GDK_FILTER_CONTINUE;
}

void SetTitle(const char* title)
{
    if (TheShell().window)
        gtk_window_set_title(GTK_WINDOW(TheShell().window), title);
}

// Our own menus and dialogs take and drop grabs of their own, which ends
// ours: the core takes it again when the window is active again.
bool HoldKeyboard(bool hold)
{
    GtkShell& shell = TheShell();
    GdkWindow* window = WindowOf(shell.window);
    if (!hold) {
        if (shell.keyboardHeld && OnX11()) {
            XUngrabKeyboard(XDisplayOf(), CurrentTime);
            XFlush(XDisplayOf());
        } else if (shell.keyboardHeld) {
            gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
        }
        shell.keyboardHeld = false;
    } else if (!window || !gdk_window_is_viewable(window)) {
        shell.keyboardHeld = false;
    } else if (OnX11()) {
        shell.keyboardHeld = XGrabKeyboard(XDisplayOf(), GDK_WINDOW_XID(window), True, GrabModeAsync, GrabModeAsync,
                                           CurrentTime) == GrabSuccess;
    } else {
        // A compositor with no keyboard (a headless one) has no seat to grab.
        GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
        shell.keyboardHeld = seat && gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_KEYBOARD, TRUE, nullptr, nullptr,
                                                   nullptr, nullptr) == GDK_GRAB_SUCCESS;
    }
    return shell.keyboardHeld;
}

// The pointer is held inside an input-only X window over the drawing area,
// a child of the top-level window that asks for no events, so that X hands
// them on to the top-level and GTK as before. The area keeps no X window of
// its own: GTK draws it in the top-level's, and stops showing what it draws
// on an area given a native window.
bool ConfinePointer()
{
    GtkShell& shell = TheShell();
    GdkWindow* area = WindowOf(shell.area);
    if (!area || !gdk_window_is_viewable(area))
        return false;
    if (OnWayland())
        return ConfineWaylandPointer(area);
    GdkWindow* toplevel = WindowOf(shell.window);
    if (!OnX11() || !toplevel)
        return false;
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(shell.area, shell.window, 0, 0, &x, &y);
    const unsigned width = static_cast<unsigned>(std::max(gtk_widget_get_allocated_width(shell.area), 1));
    const unsigned height = static_cast<unsigned>(std::max(gtk_widget_get_allocated_height(shell.area), 1));
    Display* display = XDisplayOf();
    if (!shell.confineWindow) {
        XSetWindowAttributes nothing{};
        shell.confineWindow = XCreateWindow(display, GDK_WINDOW_XID(toplevel), x, y, width, height, 0, 0, InputOnly,
                                            CopyFromParent, 0, &nothing);
        XMapWindow(display, shell.confineWindow);
    } else {
        XMoveResizeWindow(display, shell.confineWindow, x, y, width, height);
    }
    // Owner events keep GTK's own handling of the pointer: only where it may
    // go changes.
    const unsigned int mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    shell.pointerHeld = XGrabPointer(display, GDK_WINDOW_XID(toplevel), True, mask, GrabModeAsync, GrabModeAsync,
                                     shell.confineWindow, None, CurrentTime) == GrabSuccess;
    return shell.pointerHeld;
}

void FreePointer()
{
    FreeWaylandPointer();
    if (!TheShell().pointerHeld)
        return;
    TheShell().pointerHeld = false;
    XUngrabPointer(XDisplayOf(), CurrentTime);
    XFlush(XDisplayOf());
}

void WakeAfter(unsigned milliseconds)
{
    GtkShell& shell = TheShell();
    if (shell.settleTimer)
        g_source_remove(shell.settleTimer);
    shell.settleTimer = g_timeout_add(milliseconds, OnSettleTimer, nullptr);
}

void TellFocus()
{
    if (!TheShell().window)
        return;
    ToySurface surface = ToySurface::Elsewhere;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item && surface == ToySurface::Elsewhere; item = item->next)
        if (gtk_window_is_active(GTK_WINDOW(item->data)))
            surface = SurfaceOf(item->data);
    g_list_free(toplevels);
    OnFocusMoved(TheProgram(), surface);
}

void LookAtX11Focus()
{
    GtkShell& shell = TheShell();
    if (!OnX11() || !shell.window)
        return;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(XDisplayOf(), &focus, &revert);
    if (focus == shell.lastFocus)
        return;
    shell.lastFocus = focus;
    GdkDisplay* display = gdk_display_get_default();
    gdk_x11_display_error_trap_push(display);
    GtkWindow* holder = ToplevelHolding(XDisplayOf(), focus);
    if (gdk_x11_display_error_trap_pop(display) != 0) {
        // Asked about a window that has gone: look again next time.
        shell.lastFocus = None;
        return;
    }
    OnFocusMoved(TheProgram(), holder ? SurfaceOf(holder) : ToySurface::Elsewhere);
}

bool WatchActiveWindow()
{
    GtkShell& shell = TheShell();
    if (shell.activeWindowAtom != None)
        return true;
    if (!OnX11())
        return false;
    GdkScreen* screen = gdk_screen_get_default();
    if (!gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_ACTIVE_WINDOW")))
        return false;
    shell.activeWindowAtom = gdk_x11_get_xatom_by_name_for_display(gdk_display_get_default(), "_NET_ACTIVE_WINDOW");
    GdkWindow* root = gdk_screen_get_root_window(screen);
    gdk_window_set_events(root, static_cast<GdkEventMask>(gdk_window_get_events(root) | GDK_PROPERTY_CHANGE_MASK));
    gdk_window_add_filter(root, OnRootEvent, nullptr);
    return true;
}

void OnActiveChanged(GObject*, GParamSpec*, gpointer) { TellFocus(); }

int RunToyDialog(GtkDialog* dialog)
{
    g_signal_connect(dialog, "notify::is-active", G_CALLBACK(OnActiveChanged), nullptr);
    return gtk_dialog_run(dialog);
}

void UseKidproofEntries(Platform& platform)
{
    platform.confinePointer = ConfinePointer;
    platform.freePointer = FreePointer;
    platform.setTitle = SetTitle;
    platform.holdKeyboard = HoldKeyboard;
    platform.wakeAfter = WakeAfter;
    platform.menusTakeInput = true;
    platform.tellsFocus = true;
    platform.focusSettleTime = kFocusSettleTime;
}

}  // namespace gtk3
