// A key's blossom goes from the canvas straight onto the drawing area's X
// window, one XPutImage of the changed box, instead of a frame of GTK's (a
// scratch pixmap, the window's theme background, the area, a copy back):
// through GTK a key costs the toy nearly four times the CPU, beyond 1.5
// times Tux Paint's (bench/results.md). X clips it under menus and dialogs;
// what GTK paints later, on an expose, comes from the same canvas.
// Before Xlib's headers, whose None macro would break the enums' names.
#include "gtk/shell_gtk.h"

#include <gdk/gdkx.h>

#include <algorithm>
#include <cstdint>

namespace {

// True when a window of `visual` lays its pixels out as the canvas does:
// 24-bit colour in 32-bit pixels, red in the third byte, as on every common
// X server.
bool SameLayoutAsCanvas(GdkVisual* visual)
{
    const Visual* x = GDK_VISUAL_XVISUAL(visual);
    return gdk_visual_get_depth(visual) == 24 && x->red_mask == 0xFF0000 && x->green_mask == 0xFF00 &&
           x->blue_mask == 0xFF;
}

}  // namespace

bool PutCanvasOnX11Window(const Box& box)
{
    GtkShell& shell = TheShell();
    GdkWindow* window = shell.area ? gtk_widget_get_window(shell.area) : nullptr;
    cairo_surface_t* canvas = shell.canvas.surface;
    if (!canvas || !window || !GDK_IS_X11_WINDOW(window) || !gdk_window_is_viewable(window) ||
        gdk_window_get_scale_factor(window) != 1)
        return false;
    // The area's rectangle within its native window (its own, once made
    // native for confining the pointer, else the top-level's).
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
    gtk_widget_get_allocation(shell.area, &allocation);
    if (!gtk_widget_get_has_window(shell.area)) {
        x += allocation.x;
        y += allocation.y;
    }
    // Beyond the canvas the area is black, which GTK's frame paints.
    const Box clip{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, allocation.width),
                   std::min(box.bottom, allocation.height)};
    if (clip.right > shell.canvas.bounds.right || clip.bottom > shell.canvas.bounds.bottom ||
        !SameLayoutAsCanvas(gdk_window_get_visual(native)))
        return false;
    if (clip.right <= clip.left || clip.bottom <= clip.top)
        return true;
    Display* display = GDK_WINDOW_XDISPLAY(native);
    const Window target = GDK_WINDOW_XID(native);
    if (shell.putTarget != target) {
        if (shell.putGc)
            XFreeGC(display, static_cast<GC>(shell.putGc));
        shell.putGc = XCreateGC(display, target, 0, nullptr);
        shell.putTarget = target;
    }
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
        return false;
    XPutImage(display, target, static_cast<GC>(shell.putGc), &image, clip.left, clip.top, x + clip.left,
              y + clip.top, static_cast<unsigned>(clip.right - clip.left), static_cast<unsigned>(clip.bottom - clip.top));
    XFlush(display);
    return true;
}
