// Tells whether another program could take the keyboard now: exits 0 when a
// keyboard grab on the root window succeeds (and lets it go at once), 3 when
// someone holds the keyboard, 2 when the display cannot be opened.
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "grab_probe: cannot open the display\n");
        return 2;
    }
    const int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync,
                                     CurrentTime);
    if (result == GrabSuccess)
        XUngrabKeyboard(display, CurrentTime);
    XCloseDisplay(display);
    return result == GrabSuccess ? 0 : 3;
}
