/* Input-to-pixel latency of a program on the X screen: sends it input with
 * XTest and times each try from the moment the input is sent to the first
 * XDamage report on the program's window, which X makes when it carries out
 * the drawing that changes the window's pixels, and which covers what is
 * drawn into the window's subwindows too.
 *
 *   xlatency TEXT MODE TRIES X Y [PID...]
 *
 * TEXT names the window, as for xmapwatch: the largest viewable window whose
 * WM_CLASS or title contains it. MODE is the input that makes the program
 * draw:
 *   release  a key's release (the key is pressed before, and the program let
 *            go quiet, so that only the release is timed)
 *   press    a key's press (released after the try)
 *   click    a left button press near (X, Y) (released after the try)
 *   move     a pointer move with the left button held, round a circle about
 *            (X, Y): the button is pressed once before the first try
 * Before every try the program must have gone quiet: no damage for 30 ms and
 * its processes (the PIDs given) under a tenth of a core in each 10 ms look,
 * so that each try is measured alone and nothing left over from the one
 * before is taken for its pixels. Prints one line per try, its latency in
 * milliseconds, or "miss" when nothing was drawn within a second. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <dirent.h>
#include <math.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "xwindow.h"

enum { QUIET_MS = 30, LOOK_MS = 10, BUSY_NS_PER_LOOK = 1000000, MISS_MS = 1000, QUIET_LIMIT_MS = 5000 };

static Display* display;
static int damageEvent;
static pid_t* pids;
static int pidCount;

static double NowMs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

/* Nanoseconds on a CPU of the live threads of the watched processes. */
static long long BusyNs(void)
{
    long long total = 0;
    for (int i = 0; i < pidCount; ++i) {
        char path[64];
        snprintf(path, sizeof path, "/proc/%d/task", (int)pids[i]);
        DIR* tasks = opendir(path);
        if (!tasks)
            continue;
        struct dirent* task;
        while ((task = readdir(tasks))) {
            if (task->d_name[0] == '.')
                continue;
            char stat[sizeof path + sizeof task->d_name + 16];
            snprintf(stat, sizeof stat, "%s/%s/schedstat", path, task->d_name);
            FILE* file = fopen(stat, "r");
            long long ns;
            if (file && fscanf(file, "%lld", &ns) == 1)
                total += ns;
            if (file)
                fclose(file);
        }
        closedir(tasks);
    }
    return total;
}

/* Reads every event X has sent; returns whether one was a damage report. */
static int TakeEvents(void)
{
    int damaged = 0;
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == damageEvent + XDamageNotify)
            damaged = 1;
    }
    return damaged;
}

/* Waits for damage, up to `limit` ms from `since`; returns its moment, or a
 * negative number when none came. */
static double WaitDamage(double since, double limit)
{
    struct pollfd wait = {ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        if (TakeEvents())
            return NowMs();
        double left = since + limit - NowMs();
        if (left <= 0)
            return -1;
        poll(&wait, 1, (int)ceil(left));
    }
}

/* Until neither damage nor work has come for QUIET_MS. Gives up after
 * QUIET_LIMIT_MS (a program that never goes quiet), and says so. */
static int WaitQuiet(void)
{
    XSync(display, False);
    const double start = NowMs();
    double lastActive = start;
    long long busy = BusyNs();
    double look = start;
    while (NowMs() - lastActive < QUIET_MS) {
        if (NowMs() - start > QUIET_LIMIT_MS)
            return 0;
        if (WaitDamage(NowMs(), LOOK_MS) >= 0)
            lastActive = NowMs();
        if (NowMs() - look >= LOOK_MS) {
            long long now = BusyNs();
            if (now - busy > BUSY_NS_PER_LOOK)
                lastActive = NowMs();
            busy = now;
            look = NowMs();
        }
    }
    return 1;
}

/* The largest viewable window under `window` that carries the text: a
 * program may keep small or hidden windows of the same class. */
static void FindLargest(Window window, const char* text, int depth, Window* best, long* bestArea)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
        Matches(display, window, text) && (long)attributes.width * attributes.height > *bestArea) {
        *best = window;
        *bestArea = (long)attributes.width * attributes.height;
    }
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    if (depth < 4 && XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i)
            FindLargest(children[i], text, depth + 1, best, bestArea);
        XFree(children);
    }
}

int main(int argc, char** argv)
{
    if (argc < 6) {
        fprintf(stderr, "usage: xlatency TEXT release|press|click|move TRIES X Y [PID...]\n");
        return 2;
    }
    const char* mode = argv[2];
    const int tries = atoi(argv[3]);
    const int x = atoi(argv[4]), y = atoi(argv[5]);
    pidCount = argc - 6;
    pids = calloc((size_t)pidCount + 1, sizeof *pids);
    for (int i = 0; i < pidCount; ++i)
        pids[i] = (pid_t)atoi(argv[6 + i]);
    if (strcmp(mode, "release") && strcmp(mode, "press") && strcmp(mode, "click") && strcmp(mode, "move")) {
        fprintf(stderr, "xlatency: unknown mode \"%s\"\n", mode);
        return 2;
    }
    display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xlatency: cannot open the display\n");
        return 2;
    }
    int eventBase, errorBase, major, minor;
    if (!XDamageQueryExtension(display, &damageEvent, &errorBase) ||
        !XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        fprintf(stderr, "xlatency: the X server lacks DAMAGE or XTEST\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    Window window = None;
    long area = 0;
    FindLargest(DefaultRootWindow(display), argv[1], 0, &window, &area);
    if (window == None) {
        fprintf(stderr, "xlatency: no viewable window of \"%s\"\n", argv[1]);
        return 1;
    }
    /* A raw report for every drawing: no damage region to clear between
     * tries, and each one counts towards the quiet. */
    XDamageCreate(display, window, XDamageReportRawRectangles);
    /* A key held while the program goes quiet must not repeat. */
    XKeyboardState keyboard;
    XGetKeyboardControl(display, &keyboard);
    XKeyboardControl noRepeat = {.auto_repeat_mode = AutoRepeatModeOff};
    XChangeKeyboardControl(display, KBAutoRepeatMode, &noRepeat);
    const KeyCode key = XKeysymToKeycode(display, XK_b);

    const int points = 60, radius = 200;
    int step = 0;
    if (!strcmp(mode, "move")) {
        XTestFakeMotionEvent(display, -1, x + radius, y, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
    }
    int settled = WaitQuiet();
    int noisy = 0;
    for (int i = 0; i < tries; ++i) {
        if (!strcmp(mode, "release")) {
            XTestFakeKeyEvent(display, key, True, CurrentTime);
            settled = WaitQuiet();
        } else if (!strcmp(mode, "click")) {
            /* Somewhere else each time, so that every dab changes pixels;
             * a program that follows the pointer has drawn that first. */
            XTestFakeMotionEvent(display, -1, x + 8 * (i % 16), y + 8 * (i / 16 % 16), CurrentTime);
            settled = WaitQuiet();
        }
        noisy += !settled;
        const double sent = NowMs();
        if (!strcmp(mode, "release") || !strcmp(mode, "press")) {
            XTestFakeKeyEvent(display, key, !strcmp(mode, "press"), CurrentTime);
        } else if (!strcmp(mode, "click")) {
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
        } else {
            ++step;
            const double angle = 2 * M_PI * step / points;
            XTestFakeMotionEvent(display, -1, x + (int)lround(radius * cos(angle)),
                                 y + (int)lround(radius * sin(angle)), CurrentTime);
        }
        XFlush(display);
        const double drawn = WaitDamage(sent, MISS_MS);
        if (drawn < 0)
            printf("miss\n");
        else
            printf("%.3f\n", drawn - sent);
        fflush(stdout);
        if (!strcmp(mode, "press"))
            XTestFakeKeyEvent(display, key, False, CurrentTime);
        else if (!strcmp(mode, "click"))
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
        settled = WaitQuiet();
    }
    if (!strcmp(mode, "move"))
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XChangeKeyboardControl(display, KBAutoRepeatMode,
                           &(XKeyboardControl){.auto_repeat_mode = keyboard.global_auto_repeat});
    XSync(display, False);
    if (noisy)
        fprintf(stderr, "xlatency: %d of %d tries began before the program was quiet for %d ms\n", noisy, tries,
                QUIET_MS);
    return 0;
}
