// The canvas's keys straight from X: a key arrives as an XInput 2 event (or
// a core one) on the toy's window, and a toddler's keys are by far the
// events it gets most. Taken before GDK makes a GdkEvent of one (the
// key's text, its modifier lookup, a user-time property on the window), a
// key costs the toy's own work and little more. Anything else, and every
// key while a menu or dialog of ours holds the input, goes on to GDK.
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>
// After Xlib's own headers, which it needs.
#include <X11/extensions/XInput2.h>

#include <array>

#include "gtk/signal_gtk.h"

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

bool ForgetKeyMeanings(const GValue*, guint)
{
    g_meanings.fill(KeyMeaning{});
    return false;
}

bool KeyvalOf(GdkKeymap* keymap, const Key& key, guint& keyval)
{
    KeyMeaning scratch;
    KeyMeaning& meaning = key.keycode < g_meanings.size() ? g_meanings[key.keycode] : scratch;
    if (!meaning.cached || meaning.state != key.state || meaning.group != key.group) {
        meaning = KeyMeaning{true, key.state, key.group, false, 0};
        meaning.known = gdk_keymap_translate_keyboard_state(keymap, key.keycode, static_cast<GdkModifierType>(key.state),
                                                            key.group, &meaning.keyval, nullptr, nullptr, nullptr);
    }
    keyval = meaning.keyval;
    return meaning.known;
}

GdkFilterReturn OnXEvent(GdkXEvent* native, GdkEvent*, gpointer)
{
    Key key;
    if (!KeyOf(*static_cast<const XEvent*>(native), key))
        return GDK_FILTER_CONTINUE;
    GtkWidget* toplevel = TheShell().window;
    GdkWindow* window = toplevel ? gtk_widget_get_window(toplevel) : nullptr;
    // X gives the keyboard focus to a small child window that GDK makes for
    // each toplevel and files under the toplevel, so a key comes on that.
    if (!window || !GDK_IS_X11_WINDOW(window) ||
        gdk_x11_window_lookup_for_display(gdk_window_get_display(window), key.window) != window)
        return GDK_FILTER_CONTINUE;
    guint keyval = 0;
    if (!KeyvalOf(gdk_keymap_get_for_display(gdk_window_get_display(window)), key, keyval) ||
        !TakeCanvasKey(keyval, key.state, key.release))
        return GDK_FILTER_CONTINUE;
    return GDK_FILTER_REMOVE;
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
    ConnectSignal(gdk_keymap_get_for_display(display), "keys-changed", ForgetKeyMeanings);
    gdk_window_add_filter(nullptr, OnXEvent, nullptr);
}
