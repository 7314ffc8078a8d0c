// A fresh mark goes from the canvas straight onto the drawing area's X
// window: one upload of the changed rectangle, instead of a frame of GTK's
// own (a scratch pixmap, the window's theme background, the area, a copy
// back). X clips it under menus and dialogs; what GTK paints later, on an
// expose, comes from the same canvas.
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <cairo-xlib.h>
#include <gdk/gdkx.h>

#include <algorithm>

#include "draw/canvas_gtk.h"

namespace {

struct WindowSurface {
    cairo_surface_t* surface = nullptr;
    Window window = 0;
    GC gc = nullptr;
};

WindowSurface g_target;

// The surface of the X window the area is drawn in (its own, once made
// native for confining the pointer, else the top-level's), sized to it.
cairo_surface_t* SurfaceFor(GdkWindow* native)
{
    const Window window = GDK_WINDOW_XID(native);
    const int width = gdk_window_get_width(native) * gdk_window_get_scale_factor(native);
    const int height = gdk_window_get_height(native) * gdk_window_get_scale_factor(native);
    if (g_target.surface && g_target.window != window) {
        cairo_surface_destroy(g_target.surface);
        g_target.surface = nullptr;
        XFreeGC(GDK_WINDOW_XDISPLAY(native), g_target.gc);
        g_target.gc = nullptr;
    }
    if (!g_target.surface) {
        g_target.surface = cairo_xlib_surface_create(GDK_WINDOW_XDISPLAY(native), window,
                                                     GDK_VISUAL_XVISUAL(gdk_window_get_visual(native)), width, height);
        g_target.window = window;
    } else {
        cairo_xlib_surface_set_size(g_target.surface, width, height);
    }
    return g_target.surface;
}

// True when the window's pixels are laid out as the canvas's: 24-bit colour
// in 32-bit pixels, red in the third byte, as on every common X server.
bool SameLayoutAsCanvas(GdkWindow* native)
{
    const Visual* visual = GDK_VISUAL_XVISUAL(gdk_window_get_visual(native));
    return gdk_visual_get_depth(gdk_window_get_visual(native)) == 24 && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

// Sends the canvas's rows inside `clip` to the window at (x, y) with one
// XPutImage from the canvas's own memory: no copy of ours, no scratch
// picture on the server.
void PutCanvasRows(GdkWindow* native, int x, int y, const Box& clip)
{
    Display* display = GDK_WINDOW_XDISPLAY(native);
    if (!g_target.gc)
        g_target.gc = XCreateGC(display, g_target.window, 0, nullptr);
    cairo_surface_t* canvas = TheCairoCanvas().surface;
    cairo_surface_flush(canvas);
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
    XPutImage(display, g_target.window, g_target.gc, &image, clip.left, clip.top, x + clip.left, y + clip.top,
              static_cast<unsigned>(clip.right - clip.left), static_cast<unsigned>(clip.bottom - clip.top));
}

}  // namespace

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
    cairo_surface_t* surface = SurfaceFor(native);
    const CanvasBounds& canvas = TheCairoCanvas().bounds;
    if (TheCairoCanvas().surface && clip.right <= canvas.right && clip.bottom <= canvas.bottom &&
        SameLayoutAsCanvas(native)) {
        PutCanvasRows(native, x, y, clip);
        return true;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, x, y);
    PaintCanvasOnto(cr, clip);
    cairo_destroy(cr);
    return true;
}
