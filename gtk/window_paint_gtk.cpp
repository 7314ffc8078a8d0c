// A fresh mark goes from the canvas straight onto the drawing area's X
// window: one upload of the changed rectangles, instead of a frame of GTK's
// own (a scratch pixmap, the window's theme background, the area, a copy
// back). X clips it under menus and dialogs; what GTK paints later, on an
// expose, comes from the same canvas. A fast path in front of GTK's redraw
// (gtk_widget_queue_draw_area and the draw signal), which every caller falls
// back on: kept because through GTK a key would cost about twice the CPU
// (0.60 ms against 0.30 with the key sound off in bench/run --native),
// behind Tux Paint's 0.27 ms, and a drag about 0.015 CPU-s more per 1000
// moves, level with Bambam's (bench/results.md).
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <cairo-xlib.h>
#include <gdk/gdkx.h>
// After Xlib's own headers, which it needs.
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include "gtk/canvas_gtk.h"

namespace {

struct WindowSurface {
    cairo_surface_t* surface = nullptr;
    Window window = 0;
    GC gc = nullptr;
};

WindowSurface g_target;

// The canvas's pixels as the X server sees them, when it shares them.
XImage* g_sharedCanvas = nullptr;
XShmSegmentInfo g_sharedSegment{};

// Follows the X window the area is drawn in (its own, once made native for
// confining the pointer, else the top-level's): what was made for another
// window goes.
void Target(GdkWindow* native)
{
    const Window window = GDK_WINDOW_XID(native);
    if (g_target.window == window)
        return;
    if (g_target.surface)
        cairo_surface_destroy(g_target.surface);
    g_target.surface = nullptr;
    if (g_target.gc)
        XFreeGC(GDK_WINDOW_XDISPLAY(native), g_target.gc);
    g_target.gc = nullptr;
    g_target.window = window;
}

// A cairo surface of that window, sized to it, for the rare paint that
// cannot send the canvas's rows as they are.
cairo_surface_t* SurfaceFor(GdkWindow* native)
{
    const int width = gdk_window_get_width(native) * gdk_window_get_scale_factor(native);
    const int height = gdk_window_get_height(native) * gdk_window_get_scale_factor(native);
    if (!g_target.surface)
        g_target.surface = cairo_xlib_surface_create(GDK_WINDOW_XDISPLAY(native), g_target.window,
                                                     GDK_VISUAL_XVISUAL(gdk_window_get_visual(native)), width, height);
    else
        cairo_xlib_surface_set_size(g_target.surface, width, height);
    return g_target.surface;
}

// True when a window of `visual` lays its pixels out as the canvas does:
// 24-bit colour in 32-bit pixels, red in the third byte, as on every common
// X server.
bool SameLayoutAsCanvas(GdkVisual* visual)
{
    const Visual* x = GDK_VISUAL_XVISUAL(visual);
    return gdk_visual_get_depth(visual) == 24 && x->red_mask == 0xFF0000 && x->green_mask == 0xFF00 &&
           x->blue_mask == 0xFF;
}

// Sends the canvas's rows inside `clip` to the window at (x, y): with
// XShmPutImage where the server shares the canvas's memory (no pixels on
// the socket), else one XPutImage straight from that memory; no copy of
// ours and no scratch picture on the server either way.
void PutCanvasRows(GdkWindow* native, int x, int y, const Box& clip)
{
    Display* display = GDK_WINDOW_XDISPLAY(native);
    if (!g_target.gc)
        g_target.gc = XCreateGC(display, g_target.window, 0, nullptr);
    cairo_surface_t* canvas = TheCairoCanvas().surface;
    cairo_surface_flush(canvas);
    const unsigned width = static_cast<unsigned>(clip.right - clip.left);
    const unsigned height = static_cast<unsigned>(clip.bottom - clip.top);
    if (g_sharedCanvas) {
        XShmPutImage(display, g_target.window, g_target.gc, g_sharedCanvas, clip.left, clip.top, x + clip.left,
                     y + clip.top, width, height, False);
        return;
    }
    XImage image{};
    image.width = cairo_image_surface_get_width(canvas);
    image.height = cairo_image_surface_get_height(canvas);
    image.format = ZPixmap;
    image.data = reinterpret_cast<char*>(cairo_image_surface_get_data(canvas));
    const uint32_t probe = 1;
    image.byte_order = *reinterpret_cast<const unsigned char*>(&probe) ? LSBFirst : MSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = image.byte_order;
    image.bitmap_pad = 32;
    image.depth = 24;
    image.bytes_per_line = cairo_image_surface_get_stride(canvas);
    image.bits_per_pixel = 32;
    image.red_mask = 0xFF0000;
    image.green_mask = 0xFF00;
    image.blue_mask = 0xFF;
    if (!XInitImage(&image))
        return;
    XPutImage(display, g_target.window, g_target.gc, &image, clip.left, clip.top, x + clip.left, y + clip.top, width,
              height);
}

}  // namespace

unsigned char* SharedCanvasPixels(int width, int height)
{
    GdkDisplay* display = gdk_display_get_default();
    if (g_sharedCanvas || !GDK_IS_X11_DISPLAY(display))
        return nullptr;
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    GdkVisual* visual = gdk_screen_get_system_visual(gdk_display_get_default_screen(display));
    if (!XShmQueryExtension(xdisplay) || !SameLayoutAsCanvas(visual))
        return nullptr;
    XImage* image = XShmCreateImage(xdisplay, GDK_VISUAL_XVISUAL(visual), 24, ZPixmap, nullptr, &g_sharedSegment,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!image)
        return nullptr;
    if (image->bits_per_pixel != 32 || image->bytes_per_line != width * 4) {
        XDestroyImage(image);
        return nullptr;
    }
    g_sharedSegment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (g_sharedSegment.shmid < 0) {
        XDestroyImage(image);
        return nullptr;
    }
    void* memory = shmat(g_sharedSegment.shmid, nullptr, 0);
    // Marked for removal at once: it goes when both sides have let it go,
    // however the program ends.
    shmctl(g_sharedSegment.shmid, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) {
        XDestroyImage(image);
        return nullptr;
    }
    g_sharedSegment.shmaddr = image->data = static_cast<char*>(memory);
    g_sharedSegment.readOnly = True;
    // A server on another machine refuses the segment with an X error.
    gdk_x11_display_error_trap_push(display);
    const Bool attached = XShmAttach(xdisplay, &g_sharedSegment);
    XSync(xdisplay, False);
    if (gdk_x11_display_error_trap_pop(display) != 0 || !attached) {
        shmdt(memory);
        image->data = nullptr;
        XDestroyImage(image);
        return nullptr;
    }
    g_sharedCanvas = image;
    return static_cast<unsigned char*>(memory);
}

bool PaintOntoWindowNow(const Box& box)
{
    GtkWidget* area = TheShell().area;
    GdkWindow* window = area ? gtk_widget_get_window(area) : nullptr;
    if (!window || !GDK_IS_X11_WINDOW(window) || !gdk_window_is_viewable(window) ||
        gdk_window_get_scale_factor(window) != 1)
        return false;
    // The area's rectangle within its native window.
    GdkWindow* native = window;
    int x = 0;
    int y = 0;
    while (!gdk_window_has_native(native)) {
        int dx = 0;
        int dy = 0;
        gdk_window_get_position(native, &dx, &dy);
        x += dx;
        y += dy;
        native = gdk_window_get_parent(native);
    }
    GtkAllocation allocation;
    gtk_widget_get_allocation(area, &allocation);
    if (!gtk_widget_get_has_window(area)) {
        x += allocation.x;
        y += allocation.y;
    }
    const Box clip{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, allocation.width),
                   std::min(box.bottom, allocation.height)};
    if (clip.right <= clip.left || clip.bottom <= clip.top)
        return true;
    Target(native);
    const CanvasBounds& canvas = TheCairoCanvas().bounds;
    if (TheCairoCanvas().surface && clip.right <= canvas.right && clip.bottom <= canvas.bottom &&
        SameLayoutAsCanvas(gdk_window_get_visual(native))) {
        PutCanvasRows(native, x, y, clip);
        return true;
    }
    cairo_t* cr = cairo_create(SurfaceFor(native));
    cairo_translate(cr, x, y);
    PaintCanvasOnto(cr, clip);
    cairo_destroy(cr);
    return true;
}
