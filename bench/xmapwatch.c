/* Waits for a window whose WM_CLASS or title contains a given text (in any
 * case) to be mapped, by
 * watching X's map events (no polling), and prints the CLOCK_MONOTONIC time
 * of the event in seconds. Prints "ready" once it is watching. Exits 1 when
 * nothing matches within the timeout (seconds, default 60). */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "xwindow.h"

static double Now(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

/* The window or one of its descendants carries the class. */
static int TreeMatches(Display* display, Window window, const char* text, int depth)
{
    if (Matches(display, window, text))
        return 1;
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    int found = 0;
    if (depth < 4 && XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = TreeMatches(display, children[i], text, depth + 1);
        XFree(children);
    }
    return found;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: xmapwatch TEXT [TIMEOUT-SECONDS]\n");
        return 2;
    }
    const double timeout = argc > 2 ? atof(argv[2]) : 60.0;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xmapwatch: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    printf("ready\n");
    fflush(stdout);

    const double deadline = Now() + timeout;
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    while (Now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            /* A window manager's frame: watch inside it too. */
            if (event.type == CreateNotify)
                XSelectInput(display, event.xcreatewindow.window, SubstructureNotifyMask);
            if (event.type == MapNotify && TreeMatches(display, event.xmap.window, argv[1], 0)) {
                printf("%.6f\n", Now());
                return 0;
            }
        }
        poll(&wait, 1, 100);
    }
    fprintf(stderr, "xmapwatch: no window of class \"%s\" was mapped\n", argv[1]);
    return 1;
}
