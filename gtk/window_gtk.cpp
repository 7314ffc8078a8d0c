// The main window: a menu bar over a drawing area. Each GTK signal is
// decoded into the core's call; a mark the core paints goes onto the canvas,
// and GTK redraws the box it changed from the canvas in its next frame.
#include <cmath>

#include "gtk/display_gtk.h"
#include "gtk/shell_gtk.h"

namespace gtk3 {

GtkShell g_gtk;

// A window manager that never maximises the window gets the canvas this
// long after the window was mapped, unless a shorter wait began first.
constexpr guint kMaximiseWait = 1500;
// Once the window manager has said "maximised", the new size is laid out
// within a frame or two.
constexpr guint kLayoutWait = 100;
// Where the window manager announces the active window, the focus is looked
// at when it does, and once a second only in case a manager announces it
// before it moves the focus; elsewhere on every tick. Each look is a round
// trip to the X server.
constexpr unsigned kFocusLookEvery = 10;
constexpr unsigned kFocusLookPeriod = kWalkTickPeriod * kFocusLookEvery;

void Redraw(const Box& box)
{
    if (TheShell().area && box.right > box.left && box.bottom > box.top)
        gtk_widget_queue_draw_area(TheShell().area, box.left, box.top, box.right - box.left, box.bottom - box.top);
}

void PaintSegment(const Segment& segment) { Redraw(PaintSegmentOnCanvas(segment)); }

void PaintBlossom(const Blossom& blossom) { Redraw(PaintBlossomOnCanvas(blossom)); }

void ClearWindowCanvas()
{
    ClearCairoCanvas(gtk_widget_get_allocated_width(TheShell().area), gtk_widget_get_allocated_height(TheShell().area));
    gtk_widget_queue_draw(TheShell().area);
}

gboolean OnTickTimer(gpointer)
{
    GtkShell& shell = TheShell();
    if (shell.tickPeriod != kWalkTickPeriod || !WatchActiveWindow() || ++shell.ticks % kFocusLookEvery == 0)
        LookAtX11Focus();
    OnTick(TheProgram());
    return G_SOURCE_CONTINUE;
}

// The canvas is made once, at the drawing area's size when the window is
// first maximised: the size the Windows program's canvas gets. A size GTK
// has not laid out yet (1 x 1) is no canvas's.
void MakeCanvas()
{
    GtkShell& shell = TheShell();
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    if (TheProgram().canvasReady || width <= 1 || height <= 1 || !CreateCairoCanvas(width, height))
        return;
    CanvasMade(TheProgram(), shell.canvas.bounds);
    FollowMonitors();
    gtk_widget_queue_draw(shell.area);
}

gboolean MakeCanvasLater(gpointer)
{
    TheShell().canvasTimer = 0;
    MakeCanvas();
    return G_SOURCE_REMOVE;
}

void MakeCanvasAfter(guint wait)
{
    GtkShell& shell = TheShell();
    if (shell.canvasTimer)
        g_source_remove(shell.canvasTimer);
    shell.canvasTimer = g_timeout_add(wait, MakeCanvasLater, nullptr);
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer)
{
    if (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED)
        MakeCanvasAfter(kLayoutWait);
    return FALSE;
}

// On X11 the first allocation after the window manager maximised the window
// is its final size. On Wayland, GTK first lays the maximised window out
// with the floating window's shadow margins still counted in, 52 pixels too
// wide and too high, and shrinks it a frame later; the canvas waits for
// that, as it does after the window-state change.
void OnAreaAllocated(GtkWidget*, GdkRectangle*, gpointer)
{
    if (TheProgram().canvasReady || !gtk_window_is_maximized(GTK_WINDOW(TheShell().window)))
        return;
    if (OnX11())
        MakeCanvas();
    else
        MakeCanvasAfter(kLayoutWait);
}

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer)
{
    if (!TheProgram().canvasReady && !TheShell().canvasTimer)
        MakeCanvasAfter(kMaximiseWait);
    return FALSE;
}

// Pointer events that stand in for a finger: the X server's for a window
// that takes no touch, or GTK's own for the first finger of a touch handler
// that leaves it to GTK (GTK 3 does not mark those as emulated; their
// source device is the touch screen). Each finger already paints its own
// stroke, so these would paint it a second time.
bool StandsInForFinger(GdkEvent* event)
{
    if (gdk_event_get_pointer_emulated(event))
        return true;
    GdkDevice* source = gdk_event_get_source_device(event);
    return source && gdk_device_get_source(source) == GDK_SOURCE_TOUCHSCREEN;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* motion, gpointer)
{
    if (StandsInForFinger(reinterpret_cast<GdkEvent*>(motion)))
        return TRUE;
    OnPointerMove(TheProgram(),
                  Point{static_cast<int32_t>(std::floor(motion->x)), static_cast<int32_t>(std::floor(motion->y))});
    return TRUE;
}

// The pointer stays with the drawing area while a button is held (GTK's
// implicit grab), as the Windows program captures the mouse. Double and
// triple clicks are only extra reports of presses already seen.
gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer)
{
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE)
        return FALSE;
    if (StandsInForFinger(reinterpret_cast<GdkEvent*>(event)))
        return TRUE;
    const bool down = event->type == GDK_BUTTON_PRESS;
    if (event->button == GDK_BUTTON_PRIMARY)
        OnMouseButton(TheProgram(), MouseButton::Left, down);
    else if (event->button == GDK_BUTTON_SECONDARY)
        OnMouseButton(TheProgram(), MouseButton::Right, down);
    return TRUE;
}

// Every finger on the drawing area paints a stroke of its own. GDK tells
// the fingers apart by their sequences, whose pointer value is the finger's
// number: the XInput 2 touch id on X11, the wl_touch id plus one on
// Wayland, unique among the fingers down at once on both. A cancelled
// finger (the compositor took it for a gesture of its own) lifts. Handled
// here, GTK makes no pointer events of its own from the first finger.
gboolean OnFinger(GtkWidget*, GdkEventTouch* touch, gpointer)
{
    TouchPhase phase = TouchPhase::Move;
    if (touch->type == GDK_TOUCH_BEGIN)
        phase = TouchPhase::Down;
    else if (touch->type == GDK_TOUCH_END || touch->type == GDK_TOUCH_CANCEL)
        phase = TouchPhase::Up;
    OnTouch(TheProgram(), phase, GPOINTER_TO_UINT(touch->sequence),
            Point{static_cast<int32_t>(std::floor(touch->x)), static_cast<int32_t>(std::floor(touch->y))});
    return GDK_EVENT_STOP;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer)
{
    // Only the vertical wheel, as the Windows program hears only it.
    if (event->direction == GDK_SCROLL_UP || event->direction == GDK_SCROLL_DOWN)
        OnWheel(TheProgram());
    return TRUE;
}

void OnDestroyed(GtkWidget*, gpointer)
{
    GtkShell& shell = TheShell();
    shell.window = nullptr;
    shell.menuBar = nullptr;
    shell.area = nullptr;
    gtk_main_quit();
}

GtkWidget* MakeDrawingArea()
{
    GtkWidget* area = gtk_drawing_area_new();
    gtk_widget_add_events(area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_SCROLL_MASK | GDK_TOUCH_MASK);
    gtk_widget_set_hexpand(area, TRUE);
    gtk_widget_set_vexpand(area, TRUE);
    g_signal_connect(area, "draw", G_CALLBACK(DrawCanvas), nullptr);
    g_signal_connect(area, "size-allocate", G_CALLBACK(OnAreaAllocated), nullptr);
    g_signal_connect(area, "motion-notify-event", G_CALLBACK(OnMotion), nullptr);
    g_signal_connect(area, "button-press-event", G_CALLBACK(OnButton), nullptr);
    g_signal_connect(area, "button-release-event", G_CALLBACK(OnButton), nullptr);
    g_signal_connect(area, "scroll-event", G_CALLBACK(OnScroll), nullptr);
    g_signal_connect(area, "touch-event", G_CALLBACK(OnFinger), nullptr);
    return area;
}

GtkShell& TheShell() { return g_gtk; }

// Alt+letter opens a menu. Every other press that the core leaves is the
// toy's alone: GTK's own keys (F10 for the menu bar, Tab and the arrows
// between widgets) do nothing here, as a bare Alt does in the Windows
// program. A curtain keeps every key.
gboolean OnKeyEvent(GtkWidget* widget, GdkEventKey* event, gpointer)
{
    GtkShell& shell = TheShell();
    const bool release = event->type == GDK_KEY_RELEASE;
    const bool onCurtain = widget != shell.window;
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    const KeyInput key{KeyKindOfKeysym(event->keyval), (event->state & GDK_MOD1_MASK) != 0, release, onCurtain};
    if (OnKey(TheProgram(), key, width, height) || onCurtain)
        return TRUE;
    if (release)
        return FALSE;
    // While the toy holds the keyboard the window manager never sees Alt+F4:
    // it closes the window here, as it does the Windows program.
    if (event->state & GDK_MOD1_MASK) {
        if (event->keyval == GDK_KEY_F4)
            CloseMainWindow();
        else
            OpenPopupForLetter(event->keyval);
    }
    return TRUE;
}

void CloseMainWindow()
{
    if (TheShell().window)
        gtk_window_close(GTK_WINDOW(TheShell().window));
}

void SetTickPeriod(unsigned period)
{
    GtkShell& shell = TheShell();
    if (shell.tickTimer && period == shell.tickPeriod)
        return;
    if (shell.tickTimer)
        g_source_remove(shell.tickTimer);
    shell.tickPeriod = period;
    shell.tickTimer = g_timeout_add(period, OnTickTimer, nullptr);
}

void ClientSize(int& width, int& height)
{
    width = gtk_widget_get_allocated_width(TheShell().area);
    height = gtk_widget_get_allocated_height(TheShell().area);
}

void UseWindowEntries(Platform& platform)
{
    platform.paintSegment = PaintSegment;
    platform.paintBlossom = PaintBlossom;
    platform.clearCanvas = ClearWindowCanvas;
    platform.setTickPeriod = SetTickPeriod;
    platform.close = CloseMainWindow;
    platform.idleTickPeriod = WatchActiveWindow() ? kFocusLookPeriod : 0;
}

void OpenMainWindow()
{
    GtkShell& shell = TheShell();
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    shell.window = window;
    gtk_window_set_title(GTK_WINDOW(window), kPlainTitle);
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    // Connected before the menu bar is added, so this runs before GTK's own
    // menu-bar keys (F10).
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyEvent), nullptr);
    g_signal_connect(window, "key-release-event", G_CALLBACK(OnKeyEvent), nullptr);
    g_signal_connect(window, "window-state-event", G_CALLBACK(OnWindowState), nullptr);
    g_signal_connect(window, "map-event", G_CALLBACK(OnMapped), nullptr);
    g_signal_connect(window, "notify::is-active", G_CALLBACK(OnActiveChanged), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(OnDestroyed), nullptr);

    // The window is asked for first: the window manager frames and maps it
    // while the menu bar and the drawing area are made and laid out, and
    // GTK paints them all in the window's first frame. Nothing
    // is dispatched until the main loop runs.
    gtk_window_maximize(GTK_WINDOW(window));
    gtk_widget_show(window);
    gdk_display_flush(gtk_widget_get_display(window));
    // Pango reads fontconfig's configuration on a thread of its own once its
    // font map is made. Made now, that reading runs while the window manager
    // maps the window and the menus are made, rather than later while the
    // menu bar's labels wait for their font. Made any earlier, it would
    // compete with GTK's parsing of its theme, which the window waits for.
    pango_cairo_font_map_get_default();

    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    shell.menuBar = MakeMenuBar();
    shell.area = MakeDrawingArea();
    gtk_box_pack_start(GTK_BOX(column), shell.menuBar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), shell.area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), column);
    gtk_widget_show_all(column);
    // Every move is drawn: GDK would hand over only the last of the moves
    // that arrive within a frame.
    gdk_window_set_event_compression(gtk_widget_get_window(window), FALSE);
    gdk_window_set_event_compression(gtk_widget_get_window(shell.area), FALSE);
}

}  // namespace gtk3
