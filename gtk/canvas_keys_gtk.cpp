// The canvas's keys straight from X: a key arrives as an XInput 2 event (or
// a core one) on the toy's window, and a toddler's keys are by far the
// events it gets most. Taken before GDK makes a GdkEvent of one (the
// key's text, its modifier lookup, a user-time property on the window), a
// key costs the toy's own work and little more. Anything else, and every
// key while a menu or dialog of ours holds the input, goes on to GDK. The
// main loop's wait takes them too, as soon as they are read (below). A fast
// path in front of GDK's own key events, which the shell's event handler
// takes where this does not: kept because through GDK a key costs nearly
// twice the CPU (0.37 ms against 0.20 with the key sound off in bench/run
// --native), behind Tux Paint's 0.35 ms (bench/results.md).
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>
// After Xlib's own headers, which it needs.
#include <X11/extensions/XInput2.h>

#include <array>


namespace {

// XInput's major opcode on the display, or -1 when it has none.
int g_inputOpcode = -1;

struct Key {
    bool release = false;
    Window window = 0;
    unsigned keycode = 0;
    unsigned state = 0;
    int group = 0;
};

// The key an X event reports, if it is one.
bool KeyOf(const XEvent& event, Key& key)
{
    if (event.type == KeyPress || event.type == KeyRelease) {
        key = Key{event.type == KeyRelease, event.xkey.window, event.xkey.keycode, event.xkey.state,
                  static_cast<int>((event.xkey.state >> 13) & 3)};
        return true;
    }
    const XGenericEventCookie& cookie = event.xcookie;
    if (event.type != GenericEvent || cookie.extension != g_inputOpcode || !cookie.data ||
        (cookie.evtype != XI_KeyPress && cookie.evtype != XI_KeyRelease))
        return false;
    const auto* device = static_cast<const XIDeviceEvent*>(cookie.data);
    key = Key{cookie.evtype == XI_KeyRelease, device->event, static_cast<unsigned>(device->detail),
              static_cast<unsigned>(device->mods.effective), device->group.effective};
    return true;
}

// What each key means in the keyboard's present state: a toddler plays the
// same few dozen keys over and over, and the keymap's lookup costs more than
// the rest of a key's handling. Forgotten when the keymap changes.
struct KeyMeaning {
    bool cached = false;
    unsigned state = 0;
    int group = 0;
    bool known = false;
    guint keyval = 0;
};

std::array<KeyMeaning, 256> g_meanings;

void ForgetKeyMeanings(GdkKeymap*, gpointer) { g_meanings.fill(KeyMeaning{}); }

// Without a keymap, only a meaning already known is given: the keymap's
// lookup may talk to the X server, which cannot be done while Xlib's queue
// is being searched.
bool KeyvalOf(GdkKeymap* keymap, const Key& key, guint& keyval)
{
    KeyMeaning scratch;
    KeyMeaning& meaning = key.keycode < g_meanings.size() ? g_meanings[key.keycode] : scratch;
    if (!meaning.cached || meaning.state != key.state || meaning.group != key.group) {
        if (!keymap)
            return false;
        meaning = KeyMeaning{true, key.state, key.group, false, 0};
        meaning.known = gdk_keymap_translate_keyboard_state(keymap, key.keycode, static_cast<GdkModifierType>(key.state),
                                                            key.group, &meaning.keyval, nullptr, nullptr, nullptr);
    }
    keyval = meaning.keyval;
    return meaning.known;
}

// The toy's window on X, where the keys it gets come.
GdkWindow* ToyWindow()
{
    GtkWidget* toplevel = TheShell().window;
    GdkWindow* window = toplevel ? gtk_widget_get_window(toplevel) : nullptr;
    return window && GDK_IS_X11_WINDOW(window) ? window : nullptr;
}

// A key on the toy's window, and what it means: without `lookUp`, only a
// meaning already known.
bool ToyWindowKey(const XEvent& event, Key& key, guint& keyval, bool lookUp)
{
    GdkWindow* window = KeyOf(event, key) ? ToyWindow() : nullptr;
    GdkDisplay* display = window ? gdk_window_get_display(window) : nullptr;
    // X gives the keyboard focus to a small child window that GDK makes for
    // each toplevel and files under the toplevel, so a key comes on that.
    if (!display || gdk_x11_window_lookup_for_display(display, key.window) != window)
        return false;
    return KeyvalOf(lookUp ? gdk_keymap_get_for_display(display) : nullptr, key, keyval);
}

GdkFilterReturn OnXEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    Key key;
    guint keyval = 0;
    if (!ToyWindowKey(*static_cast<const XEvent*>(native), key, keyval, true) ||
        !TakeCanvasKey(keyval, key.state, key.release))
        return GDK_FILTER_CONTINUE;
    return GDK_FILTER_REMOVE;
}

// Xlib's queue searched from its head: the first event decides, and nothing
// behind one that is not the canvas's is taken before it.
struct HeadOfQueue {
    bool decided = false;
    bool release = false;
};

Bool HeadIsCanvasKey(Display*, XEvent* event, XPointer argument)
{
    auto* head = reinterpret_cast<HeadOfQueue*>(argument);
    if (head->decided)
        return False;
    head->decided = true;
    Key key;
    guint keyval = 0;
    if (!ToyWindowKey(*event, key, keyval, false) || !IsCanvasKey(keyval, key.state))
        return False;
    head->release = key.release;
    return True;
}

// Takes the canvas's keys that head the events read from the X connection,
// reading what it holds; true when all it held were canvas keys, done with,
// so that the main loop has nothing of them to dispatch.
bool TakeQueuedCanvasKeys()
{
    GdkWindow* window = ToyWindow();
    if (!window)
        return false;
    Display* display = GDK_WINDOW_XDISPLAY(window);
    while (XEventsQueued(display, QueuedAfterReading) > 0) {
        HeadOfQueue head;
        XEvent event;
        if (!XCheckIfEvent(display, &event, HeadIsCanvasKey, reinterpret_cast<XPointer>(&head)))
            return false;
        if (XGetEventData(display, &event.xcookie))
            XFreeEventData(display, &event.xcookie);
        if (!head.release)
            continue;
        // A blossom left for GTK's next frame needs the main loop to run.
        if (!StampForKey())
            return false;
        // Sent now: GDK, which would send it on the loop's way back to the
        // wait, is not asked. Events read while sending are looked at next.
        XFlush(display);
    }
    return true;
}

int g_connection = -1;
// The main loop's wait before this one (GLib's own, or another shell file's).
GPollFunc g_pollBefore = g_poll;

// A toddler's keys wake the loop twice each, and most are the canvas's: they
// are taken as soon as they are read, and the loop waits on without a turn
// of GLib's and GDK's dispatch for each one. Only while nothing else is
// ready (a zero timeout means something is, GDK's own queue of events among
// them), and never past the wait's end, so timers keep their time.
gint PollTakingKeys(GPollFD* fds, guint count, gint timeout)
{
    const gint64 ends = timeout > 0 ? g_get_monotonic_time() + gint64{timeout} * 1000 : 0;
    GPollFD* connection = nullptr;
    for (guint i = 0; i < count && !connection; ++i)
        if (fds[i].fd == g_connection)
            connection = &fds[i];
    for (;;) {
        const gint result = g_pollBefore(fds, count, timeout);
        if (timeout == 0 || result != 1 || !connection || !(connection->revents & G_IO_IN) ||
            !TakeQueuedCanvasKeys())
            return result;
        connection->revents = 0;
        if (timeout > 0) {
            const gint64 now = g_get_monotonic_time();
            if (now >= ends)
                return 0;
            timeout = static_cast<gint>((ends - now + 999) / 1000);
        }
    }
}

}  // namespace

void TakeCanvasKeysFromX()
{
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display))
        return;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(GDK_DISPLAY_XDISPLAY(display), "XInputExtension", &g_inputOpcode, &event, &error))
        g_inputOpcode = -1;
    g_signal_connect(gdk_keymap_get_for_display(display), "keys-changed", G_CALLBACK(ForgetKeyMeanings), nullptr);
    gdk_window_add_filter(nullptr, OnXEvent, nullptr);
    g_connection = ConnectionNumber(GDK_DISPLAY_XDISPLAY(display));
    g_pollBefore = g_main_context_get_poll_func(nullptr);
    g_main_context_set_poll_func(nullptr, PollTakingKeys);
}
