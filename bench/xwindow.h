/* What both of the benchmark's X tools look for: a window whose WM_CLASS
 * (name or class) or title contains a text, ignoring case; and X errors
 * ignored, since a window looked at may be gone by the time it is asked
 * about. */
#ifndef SCRIVLET_BENCH_XWINDOW_H
#define SCRIVLET_BENCH_XWINDOW_H

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <string.h>

static int Matches(Display* display, Window window, const char* text)
{
    XClassHint hint;
    int found = 0;
    if (XGetClassHint(display, window, &hint)) {
        found = (hint.res_name && strcasestr(hint.res_name, text)) ||
                (hint.res_class && strcasestr(hint.res_class, text));
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    char* name = NULL;
    if (!found && XFetchName(display, window, &name) && name)
        found = strcasestr(name, text) != NULL;
    if (name)
        XFree(name);
    return found;
}

static int IgnoreErrors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

#endif
