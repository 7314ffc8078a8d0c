// The curtains over the other monitors, as GTK windows: undecorated, black,
// transient for the toy's window (so the window manager keeps them with
// the toy and its dialogs), never in a taskbar or pager, and never given
// the focus, so that a click on one leaves the toy the active program. On
// X11 each is put at its box. On Wayland a client cannot place a window,
// but it can make one fullscreen on a chosen monitor, which is what a
// curtain is; there the compositor decides the focus and may give it to a
// curtain that is clicked, so the toy counts as active while a curtain is,
// and asks for its window back.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

#include "gtk/display_gtk.h"
// After Xlib's own headers, which it needs.
#include <X11/extensions/Xinerama.h>

#include <vector>

namespace gtk3 {

void ActivateToy();
void TellMonitors();

gboolean OnCurtainDraw(GtkWidget*, cairo_t* cr, gpointer)
{
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    return TRUE;
}

// The child's pointer on a curtain: a move, a press (not a release), the
// wheel.
gboolean OnCurtainPointer(GtkWidget*, GdkEvent* event, gpointer)
{
    if (event->type == GDK_MOTION_NOTIFY)
        OnCurtainInput(TheProgram(), CurtainInput::PointerMove);
    else if (event->type == GDK_BUTTON_PRESS || event->type == GDK_SCROLL)
        OnCurtainInput(TheProgram(), event->type == GDK_SCROLL ? CurtainInput::Wheel : CurtainInput::Button);
    return TRUE;
}

// A finger that lands on a curtain is a click there; every finger is told,
// not only the first one that the pointer would follow.
gboolean OnCurtainFinger(GtkWidget*, GdkEventTouch* touch, gpointer)
{
    if (touch->type == GDK_TOUCH_BEGIN)
        OnCurtainInput(TheProgram(), CurtainInput::Button);
    return GDK_EVENT_STOP;
}

gboolean OnCurtainDelete(GtkWidget*, GdkEvent*, gpointer)
{
    ActivateToy();
    return TRUE;
}

GtkWidget* MakeCurtain()
{
    GtkWidget* curtain = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    // A class of its own: the curtains are no windows of the toy that a
    // parent, or a test, looks for.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_window_set_wmclass(GTK_WINDOW(curtain), kCurtainClassName, "Scrivlet");
    G_GNUC_END_IGNORE_DEPRECATIONS
    gtk_window_set_title(GTK_WINDOW(curtain), "");
    gtk_window_set_decorated(GTK_WINDOW(curtain), FALSE);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(curtain), TRUE);
    gtk_window_set_skip_pager_hint(GTK_WINDOW(curtain), TRUE);
    gtk_window_set_accept_focus(GTK_WINDOW(curtain), FALSE);
    gtk_window_set_focus_on_map(GTK_WINDOW(curtain), FALSE);
    // On Wayland a curtain that is the toy's window's child keeps the
    // keyboard once it has it (weston gives it no window clicked under the
    // parent's fullscreen child); one of its own gives it up to a click on
    // the toy's window.
    if (!OnWayland())
        gtk_window_set_transient_for(GTK_WINDOW(curtain), GTK_WINDOW(TheShell().window));
    gtk_widget_set_app_paintable(curtain, TRUE);
    gtk_widget_add_events(curtain, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                       GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                       GDK_TOUCH_MASK);
    g_signal_connect(curtain, "draw", G_CALLBACK(OnCurtainDraw), nullptr);
    for (const char* signal : {"motion-notify-event", "button-press-event", "button-release-event", "scroll-event"})
        g_signal_connect(curtain, signal, G_CALLBACK(OnCurtainPointer), nullptr);
    g_signal_connect(curtain, "touch-event", G_CALLBACK(OnCurtainFinger), nullptr);
    // While the toy holds the keyboard its keys come to its window; these
    // come only when it could not take it.
    g_signal_connect(curtain, "key-press-event", G_CALLBACK(OnKeyEvent), nullptr);
    g_signal_connect(curtain, "key-release-event", G_CALLBACK(OnKeyEvent), nullptr);
    g_signal_connect(curtain, "delete-event", G_CALLBACK(OnCurtainDelete), nullptr);
    g_signal_connect(curtain, "notify::is-active", G_CALLBACK(OnActiveChanged), nullptr);
    return curtain;
}

void MonitorsChanged(GdkDisplay*, GdkMonitor*, gpointer) { TellMonitors(); }

gboolean OnWindowConfigured(GtkWidget*, GdkEvent*, gpointer)
{
    TellMonitors();
    return FALSE;
}

// The GDK monitor whose geometry is BOX, or -1.
int MonitorAt(GdkDisplay* display, const Box& box)
{
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        GdkRectangle r{};
        gdk_monitor_get_geometry(gdk_display_get_monitor(display, i), &r);
        if (Box{r.x, r.y, r.x + r.width, r.y + r.height} == box)
            return i;
    }
    return -1;
}

bool AddCurtain()
{
    if (!TheShell().window)
        return false;
    TheShell().curtains.push_back(MakeCurtain());
    return true;
}

void RemoveCurtain()
{
    gtk_widget_destroy(TheShell().curtains.back());
    TheShell().curtains.pop_back();
}

void PlaceCurtain(size_t index, const Box& box)
{
    GtkWidget* curtain = TheShell().curtains[index];
    GdkDisplay* display = gtk_widget_get_display(curtain);
    if (GDK_IS_X11_DISPLAY(display)) {
        gtk_window_move(GTK_WINDOW(curtain), box.left, box.top);
        gtk_window_resize(GTK_WINDOW(curtain), box.right - box.left, box.bottom - box.top);
    } else {
        // Only a whole monitor can be covered: a part of one (a monitor
        // partly under the toy's) stays uncovered rather than hide the toy.
        const int monitor = MonitorAt(display, box);
        if (monitor < 0) {
            gtk_widget_hide(curtain);
            return;
        }
        gtk_window_fullscreen_on_monitor(GTK_WINDOW(curtain), gdk_display_get_default_screen(display), monitor);
    }
    gtk_widget_show(curtain);
}

void HideCurtain(size_t index) { gtk_widget_hide(TheShell().curtains[index]); }

void ActivateToy()
{
    GtkWidget* window = TheShell().window;
    if (!window)
        return;
    // A dialog of the toy's that is active stays so.
    GList* toplevels = gtk_window_list_toplevels();
    bool ours = false;
    for (GList* item = toplevels; item && !ours; item = item->next)
        ours = gtk_window_is_active(GTK_WINDOW(item->data));
    g_list_free(toplevels);
    if (!ours)
        gtk_window_present_with_time(GTK_WINDOW(window), gtk_get_current_event_time());
}

// The heads the window manager maximises windows on. Where RandR knows of
// no monitors of its own it gives GDK one monitor over the whole screen,
// while Xinerama still tells the heads apart (Xephyr's screens joined by
// it); where RandR does, X's Xinerama heads are RandR's monitors.
std::vector<Box> XineramaHeads(GdkDisplay* display)
{
    std::vector<Box> heads;
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    int count = 0;
    XineramaScreenInfo* screens = XineramaIsActive(xdisplay) ? XineramaQueryScreens(xdisplay, &count) : nullptr;
    for (int i = 0; i < count; ++i)
        heads.push_back(Box{screens[i].x_org, screens[i].y_org, screens[i].x_org + screens[i].width,
                            screens[i].y_org + screens[i].height});
    if (screens)
        XFree(screens);
    return heads;
}

// GDK's monitors, and which of them is the primary one.
std::vector<Box> GdkMonitors(GdkDisplay* display, size_t& primary)
{
    std::vector<Box> monitors;
    const int count = gdk_display_get_n_monitors(display);
    for (int i = 0; i < count; ++i) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, i);
        GdkRectangle r{};
        gdk_monitor_get_geometry(monitor, &r);
        if (gdk_monitor_is_primary(monitor))
            primary = monitors.size();
        monitors.push_back(Box{r.x, r.y, r.x + r.width, r.y + r.height});
    }
    return monitors;
}

void TellMonitors()
{
    GtkWidget* window = TheShell().window;
    GdkWindow* gdkWindow = window ? gtk_widget_get_window(window) : nullptr;
    if (!gdkWindow)
        return;
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    size_t primary = 0;
    std::vector<Box> monitors = GDK_IS_X11_DISPLAY(display) ? XineramaHeads(display) : std::vector<Box>{};
    if (monitors.size() < 2)
        monitors = GdkMonitors(display, primary);
    GdkRectangle frame{};
    if (GDK_IS_X11_DISPLAY(display)) {
        gdk_window_get_frame_extents(gdkWindow, &frame);
    } else if (GdkMonitor* own = gdk_display_get_monitor_at_window(display, gdkWindow)) {
        // A Wayland client never learns where its window is, only the
        // monitors it shows on: the window stands for the one GDK names.
        gdk_monitor_get_geometry(own, &frame);
    }
    const Box toy{frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
    OnMonitorsChanged(TheProgram(), monitors, primary, toy);
}

void FollowMonitors()
{
    if (!(OnX11() || OnWayland()) || !TheShell().window)
        return;
    GdkDisplay* display = gtk_widget_get_display(TheShell().window);
    g_signal_connect(display, "monitor-added", G_CALLBACK(MonitorsChanged), nullptr);
    g_signal_connect(display, "monitor-removed", G_CALLBACK(MonitorsChanged), nullptr);
    g_signal_connect(TheShell().window, "configure-event", G_CALLBACK(OnWindowConfigured), nullptr);
    TellMonitors();
}

void UseCurtainEntries(Platform& platform)
{
    if (OnX11() || OnWayland()) {
        platform.addCurtain = AddCurtain;
        platform.removeCurtain = RemoveCurtain;
        platform.placeCurtain = PlaceCurtain;
        platform.hideCurtain = HideCurtain;
    }
    platform.activateToy = ActivateToy;
}

}  // namespace gtk3
