// A mouse reports its moves a hundred to a thousand times a second, and the
// toy draws all of them. Waking for each one costs more than drawing it, so
// while the pointer moves the main loop leaves the X connection unwatched
// for a short frame after each move: the moves of that frame wait in the
// socket and are read and drawn together, every one of them (GDK's merging
// of queued moves is turned off for the toy's window). Everything else the
// loop watches (timers, signals, the sound) stays watched, and no event
// waits longer than the frame. A fast path in front of GLib's own wait, which
// it calls: kept because without it a drag costs about twice the CPU (0.067
// CPU-s per 1000 moves against 0.029 in bench/run --native), behind
// Bambam's 0.049 (bench/results.md).
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

namespace {

// Short enough that a line follows the hand without a visible lag, long
// enough that a fast mouse's reports arrive in batches.
constexpr gint64 kFrameMicroseconds = 8000;

int g_connection = -1;
gint64 g_frameEnds = 0;
// The main loop's wait before this one (GLib's own, or another shell file's).
GPollFunc g_pollBefore = g_poll;

GPollFD* ConnectionIn(GPollFD* fds, guint count)
{
    for (guint i = 0; i < count; ++i)
        if (fds[i].fd == g_connection)
            return &fds[i];
    return nullptr;
}

gint PollOnce(GPollFD* fds, guint count, gint timeout)
{
    const gint64 now = g_get_monotonic_time();
    GPollFD* connection = g_frameEnds > now ? ConnectionIn(fds, count) : nullptr;
    if (!connection)
        return g_pollBefore(fds, count, timeout);
    const gushort watched = connection->events;
    connection->events = 0;
    const gint rest = static_cast<gint>((g_frameEnds - now + 999) / 1000);
    const gint result = g_pollBefore(fds, count, timeout < 0 || timeout > rest ? rest : timeout);
    connection->events = watched;
    connection->revents = 0;
    return result;
}

}  // namespace

void PaceMotionReading(GtkWidget* window, GtkWidget* area)
{
    GdkWindow* top = gtk_widget_get_window(window);
    GdkWindow* drawing = gtk_widget_get_window(area);
    if (!top || !drawing)
        return;
    gdk_window_set_event_compression(top, FALSE);
    gdk_window_set_event_compression(drawing, FALSE);
    // Elsewhere (Wayland) the moves are read as they come.
    if (!GDK_IS_X11_WINDOW(top))
        return;
    g_connection = ConnectionNumber(GDK_WINDOW_XDISPLAY(top));
    g_pollBefore = g_main_context_get_poll_func(nullptr);
    g_main_context_set_poll_func(nullptr, PollOnce);
}

void MotionDrawn()
{
    if (g_connection >= 0)
        g_frameEnds = g_get_monotonic_time() + kFrameMicroseconds;
}
