// The main window: a menu bar over a drawing area. Each GTK event is decoded
// into the core's call, and the marks the core paints go onto the canvas
// and the window.
#include <cmath>
#include <vector>

#include "core/menu_keys.h"
#include "gtk/canvas_gtk.h"
#include "gtk/file_ops_posix.h"
#include "gtk/options_store_gtk.h"
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

namespace {

Shell g_shell;

// A window manager that never maximises the window gets the canvas at the
// size it has this long after the window was mapped.
constexpr guint kMaximiseWait = 1500;
// Once the window manager has said "maximised", the new size is laid out
// within a frame or two.
constexpr guint kLayoutWait = 100;

void Redraw(const Box& box)
{
    if (box.right > box.left && box.bottom > box.top)
        gtk_widget_queue_draw_area(g_shell.area, box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// A drag's segments go onto the window as boxes of their own once the moves
// that came together have all been drawn, straight from the canvas as a
// key's blossom does, rather than through a frame of GTK's (a scratch
// picture of the whole changed area, painted and copied back).
std::vector<Box> g_unsentSegments;

gboolean SendSegments(gpointer)
{
    for (const Box& box : g_unsentSegments)
        if (!PaintOntoWindowNow(box))
            Redraw(box);
    g_unsentSegments.clear();
    return G_SOURCE_REMOVE;
}

void PaintSegment(const Segment& segment)
{
    const Box box = PaintSegmentOnCanvas(segment);
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    if (g_unsentSegments.empty())
        g_idle_add_full(G_PRIORITY_HIGH_IDLE, SendSegments, nullptr, nullptr);
    g_unsentSegments.push_back(box);
}

// Where the window manager announces the active window, the focus is looked
// at when it does, and once a second only in case a manager announces it
// before it moves the focus; elsewhere on every tick. Each look is a round
// trip to the X server.
constexpr int kFocusLookEvery = 10;
constexpr unsigned kFocusLookPeriod = kWalkTickPeriod * kFocusLookEvery;

guint g_tickTimer = 0;
guint g_tickPeriod = 0;

gboolean OnWalkTimer(gpointer)
{
    static int ticks = 0;
    if (g_tickPeriod != kWalkTickPeriod || !WatchActiveWindow() || ++ticks % kFocusLookEvery == 0)
        FollowKeyboardFocus();
    OnTick(TheProgram());
    return G_SOURCE_CONTINUE;
}

// The canvas is made once, at the drawing area's size when the window is
// first maximised: the size the Windows program's canvas gets.
void MakeCanvas()
{
    if (TheProgram().canvasReady)
        return;
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    if (!CreateCairoCanvas(width, height, SharedCanvasPixels(width, height)))
        return;
    CanvasMade(TheProgram(), TheCairoCanvas().bounds);
    FollowMonitors();
    if (gtk_window_is_active(GTK_WINDOW(g_shell.window)))
        HoldKeyboard(true);
    gtk_widget_queue_draw(g_shell.area);
}

gboolean MakeCanvasLater(gpointer)
{
    MakeCanvas();
    return G_SOURCE_REMOVE;
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer)
{
    if (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED)
        g_timeout_add(kLayoutWait, MakeCanvasLater, nullptr);
    return FALSE;
}

// On X11 the first allocation after the window manager maximised the window
// is its final size. On Wayland, GTK first lays the maximised window out
// with the floating window's shadow margins still counted in, 52 pixels too
// wide and too high, and shrinks it a frame later; the canvas waits for
// that, as it does after the window-state change.
void OnAreaAllocated(GtkWidget*, GdkRectangle*, gpointer)
{
    if (!gtk_window_is_maximized(GTK_WINDOW(g_shell.window)))
        return;
    if (GDK_IS_X11_DISPLAY(gtk_widget_get_display(g_shell.window)))
        MakeCanvas();
}

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer)
{
    g_timeout_add(kMaximiseWait, MakeCanvasLater, nullptr);
    return FALSE;
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer)
{
    double left = 0, top = 0, right = 0, bottom = 0;
    cairo_clip_extents(cr, &left, &top, &right, &bottom);
    PaintCanvasOnto(cr, Box{static_cast<int32_t>(std::floor(left)), static_cast<int32_t>(std::floor(top)),
                            static_cast<int32_t>(std::ceil(right)), static_cast<int32_t>(std::ceil(bottom))});
    return TRUE;
}

void DrawMotion(const GdkEventMotion& motion)
{
    if (!TheProgram().canvasReady)
        return;
    // A click on the menu bar that opened no menu let the keyboard go; take
    // it back, trying at most once a second if someone else holds it.
    static guint32 lastTry = 0;
    if (!KeyboardHeld() && motion.time - lastTry >= 1000u && gtk_window_is_active(GTK_WINDOW(g_shell.window))) {
        lastTry = motion.time;
        HoldKeyboard(true);
    }
    OnPointerMove(TheProgram(), Point{static_cast<int32_t>(std::floor(motion.x)),
                                      static_cast<int32_t>(std::floor(motion.y))});
    MotionDrawn();
}

// The pointer stays with the drawing area while a button is held (GTK's
// implicit grab), as the Windows program captures the mouse. Double and
// triple clicks are only extra reports of presses already seen.
gboolean OnButton(GtkWidget*, GdkEventButton* event, gpointer)
{
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE)
        return FALSE;
    const bool down = event->type == GDK_BUTTON_PRESS;
    if (event->button == GDK_BUTTON_PRIMARY)
        OnMouseButton(TheProgram(), MouseButton::Left, down);
    else if (event->button == GDK_BUTTON_SECONDARY)
        OnMouseButton(TheProgram(), MouseButton::Right, down);
    return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer)
{
    if (!TheProgram().canvasReady)
        return FALSE;
    // Only the vertical wheel, as the Windows program hears only it.
    if (event->direction == GDK_SCROLL_UP || event->direction == GDK_SCROLL_DOWN)
        OnWheel(TheProgram());
    return TRUE;
}

// The key's kind, in the core's terms.
KeyKind KindOf(guint keyval)
{
    switch (keyval) {
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R:
        return KeyKind::Alt;
    case GDK_KEY_Super_L:
    case GDK_KEY_Super_R:
    case GDK_KEY_Hyper_L:
    case GDK_KEY_Hyper_R:
        return KeyKind::Logo;
    case GDK_KEY_F10:
        return KeyKind::F10;
    default:
        return KeyKind::Other;
    }
}

// Whether the blossom of a key's release reached the window, or waits for
// GTK's next frame.
bool g_blossomPainted = true;

void PaintBlossom(const Blossom& blossom)
{
    const Box changed = PaintBlossomOnCanvas(blossom);
    // Straight onto the window: a key is one mark, with nothing to gather
    // into a frame. Only the boxes of the outer shape's two ellipses change,
    // not the whole square around them.
    bool painted = true;
    for (const Box& box : OuterBlossomEllipses(blossom))
        painted = PaintOntoWindowNow(box) && painted;
    if (!painted)
        Redraw(changed);
    g_blossomPainted = painted;
}

void ClearWindowCanvas()
{
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    ClearCairoCanvas(width, height);
    gtk_widget_queue_draw(g_shell.area);
}

void CloseWindow()
{
    if (g_shell.window)
        gtk_window_close(GTK_WINDOW(g_shell.window));
}

}  // namespace

// A key released on the canvas: a blossom, and the key sound. False when
// GTK was asked to redraw the blossom, which happens on its next frame.
bool StampForKey()
{
    int width = 0;
    int height = 0;
    ClientSize(width, height);
    g_blossomPainted = true;
    OnKeyUp(TheProgram(), width, height);
    return g_blossomPainted;
}

namespace {

// A move over the drawing area, or anywhere while a button held since a
// press on it (GDK routes both to the area's window), with no menu or dialog
// of ours holding the input. A drag brings hundreds a second; they skip
// GTK's dispatch as the canvas's keys do.
bool IsCanvasMotion(const GdkEvent* event)
{
    return event->type == GDK_MOTION_NOTIFY && g_shell.area &&
           event->motion.window == gtk_widget_get_window(g_shell.area) && !gtk_grab_get_current();
}

void OnEvent(GdkEvent* event, gpointer)
{
    if (IsCanvasMotion(event)) {
        DrawMotion(event->motion);
        return;
    }
    // Where the canvas's keys do not come straight from X (Wayland), they
    // come here, past GTK's dispatch (key snoopers, focus marking, the
    // "event" and key signals).
    const bool key = event->type == GDK_KEY_PRESS || event->type == GDK_KEY_RELEASE;
    if (key && g_shell.window && event->key.window == gtk_widget_get_window(g_shell.window) &&
        TakeCanvasKey(event->key.keyval, event->key.state, event->type == GDK_KEY_RELEASE))
        return;
    gtk_main_do_event(event);
}

// Alt+letter opens a menu. Every other press that reaches GTK is the toy's
// alone: GTK's own keys (F10 for the menu bar, Tab and the arrows between
// widgets) do nothing here, as a bare Alt does in the Windows program.
gboolean OnKeyPressed(GtkWidget*, GdkEventKey* event, gpointer)
{
    if (!(event->state & GDK_MOD1_MASK))
        return TRUE;
    // While the toy holds the keyboard the window manager never sees Alt+F4:
    // it closes the window here, as it does the Windows program.
    if (event->keyval == GDK_KEY_F4)
        CloseWindow();
    else
        OpenPopupForLetter(event->keyval);
    return TRUE;
}

void OnActiveChanged(GObject*, GParamSpec*, gpointer) { TellActivation(); }

void OnDestroyed(GtkWidget*, gpointer)
{
    g_shell.window = nullptr;
    g_shell.menuBar = nullptr;
    g_shell.area = nullptr;
    gtk_main_quit();
}

GtkWidget* MakeDrawingArea()
{
    GtkWidget* area = gtk_drawing_area_new();
    gtk_widget_add_events(area, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                    GDK_SCROLL_MASK);
    gtk_widget_set_hexpand(area, TRUE);
    gtk_widget_set_vexpand(area, TRUE);
    g_signal_connect(area, "draw", G_CALLBACK(OnDraw), nullptr);
    g_signal_connect(area, "size-allocate", G_CALLBACK(OnAreaAllocated), nullptr);
    g_signal_connect(area, "button-press-event", G_CALLBACK(OnButton), nullptr);
    g_signal_connect(area, "button-release-event", G_CALLBACK(OnButton), nullptr);
    g_signal_connect(area, "scroll-event", G_CALLBACK(OnScroll), nullptr);
    return area;
}

}  // namespace

void SetTickPeriod(unsigned period)
{
    if (g_tickTimer && period == g_tickPeriod)
        return;
    if (g_tickTimer)
        g_source_remove(g_tickTimer);
    g_tickPeriod = period;
    g_tickTimer = g_timeout_add(period, OnWalkTimer, nullptr);
}

bool IsCanvasKey(guint keyval, guint state)
{
    return !gtk_grab_get_current() && KeyStamps(KindOf(keyval), (state & GDK_MOD1_MASK) != 0);
}

bool TakeCanvasKey(guint keyval, guint state, bool release)
{
    if (!IsCanvasKey(keyval, state))
        return false;
    // It stamps on release, as the Windows program does on WM_KEYUP.
    if (release)
        StampForKey();
    return true;
}

Shell& TheShell() { return g_shell; }

void UseGtkPlatform()
{
    Platform& platform = TheProgram().platform;
    platform.paintSegment = PaintSegment;
    platform.paintBlossom = PaintBlossom;
    platform.clearCanvas = ClearWindowCanvas;
    platform.confinePointer = ConfinePointer;
    platform.freePointer = FreePointer;
    platform.setTitle = SetTitle;
    platform.showCurtains = CurtainsCanBePlaced() ? ShowCurtains : nullptr;
    platform.hideCurtains = CurtainsCanBePlaced() ? HideCurtains : nullptr;
    platform.activateToy = ActivateToy;
    platform.holdKeyboard = HoldKeyboard;
    platform.playKeySound = PlayKeySound;
    platform.showMessage = ShowMessage;
    platform.chooseFile = AskForFileOverWindow;
    platform.canvasAsBmp = CanvasAsBmp;
    platform.files = &PosixFileOps();
    platform.showHelp = ShowHelpTopic;
    platform.runOptionsDialog = RunOptionsDialog;
    platform.loadOptions = LoadStoredOptions;
    platform.saveOptions = SaveStoredOptions;
    platform.setTickPeriod = SetTickPeriod;
    platform.close = CloseWindow;
    platform.menusTakeInput = true;
    platform.idleTickPeriod = WatchActiveWindow() ? kFocusLookPeriod : 0;
}

void ClientSize(int& width, int& height)
{
    width = gtk_widget_get_allocated_width(g_shell.area);
    height = gtk_widget_get_allocated_height(g_shell.area);
}

void OpenMainWindow()
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_shell.window = window;
    gtk_window_set_title(GTK_WINDOW(window), kPlainTitle);
    gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
    // Connected before the menu bar is added, so this runs before GTK's own
    // menu-bar keys (F10).
    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPressed), nullptr);
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
    g_shell.menuBar = MakeMenuBar();
    g_shell.area = MakeDrawingArea();
    gtk_box_pack_start(GTK_BOX(column), g_shell.menuBar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(column), g_shell.area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), column);
    gtk_widget_show_all(column);
    gdk_event_handler_set(OnEvent, nullptr, nullptr);
    TakeCanvasKeysFromX();
    PaceMotionReading(window, g_shell.area);
}
