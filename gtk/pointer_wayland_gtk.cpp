// The pointer held inside the drawing area on Wayland, where no client can
// grab it: the compositor's pointer-constraints protocol confines it to a
// region of the toy's surface. GDK has no call for it, so the toy binds the
// protocol itself on GDK's connection and asks for the confinement with
// GDK's own surface and pointer.
#include <cstring>

#include <gdk/gdkwayland.h>

#include "gtk/display_gtk.h"
#include "gtk/shell_gtk.h"
#include "pointer-constraints-unstable-v1-client-protocol.h"

namespace gtk3 {

void OnGlobal(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    GtkShell& shell = TheShell();
    if (!shell.constraints && std::strcmp(interface, zwp_pointer_constraints_v1_interface.name) == 0)
        shell.constraints = static_cast<zwp_pointer_constraints_v1*>(
            wl_registry_bind(registry, name, &zwp_pointer_constraints_v1_interface, 1));
}

void OnGlobalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemoved};

// The compositor's list of globals is read once, on a queue of its own, so
// that the round trip dispatches none of GDK's events under GDK's feet. The
// bound object goes back to GDK's queue: its confinements' events have no
// listener and are dropped as GDK reads them.
zwp_pointer_constraints_v1* PointerConstraints(wl_display* display)
{
    GtkShell& shell = TheShell();
    if (shell.lookedForConstraints)
        return shell.constraints;
    shell.lookedForConstraints = true;
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    if (!queue || !wrapper) {
        if (wrapper)
            wl_proxy_wrapper_destroy(wrapper);
        if (queue)
            wl_event_queue_destroy(queue);
        return nullptr;
    }
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_registry_add_listener(registry, &kRegistryListener, nullptr);
    wl_display_roundtrip_queue(display, queue);
    if (shell.constraints)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(shell.constraints), nullptr);
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(wrapper);
    wl_event_queue_destroy(queue);
    return shell.constraints;
}

bool OnWayland() { return GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default()); }

bool ConfineWaylandPointer(GdkWindow* area)
{
    // One confinement per surface and pointer: a second one asked for while
    // the first lives would be a protocol error that ends the connection.
    FreeWaylandPointer();
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = gdk_display_get_default_seat(display);
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    GdkWindow* toplevel = gdk_window_get_toplevel(area);
    if (!pointer || !GDK_IS_WAYLAND_DEVICE(pointer) || !GDK_IS_WAYLAND_WINDOW(toplevel))
        return false;
    wl_display* connection = gdk_wayland_display_get_wl_display(display);
    zwp_pointer_constraints_v1* constraints = PointerConstraints(connection);
    wl_pointer* wlPointer = gdk_wayland_device_get_wl_pointer(pointer);
    wl_surface* surface = gdk_wayland_window_get_wl_surface(toplevel);
    wl_compositor* compositor = gdk_wayland_display_get_wl_compositor(display);
    if (!constraints || !wlPointer || !surface || !compositor)
        return false;
    // The area's box in the top-level window's coordinates, which are the
    // surface's: below the menu bar, and below GTK's own title bar where
    // GTK draws one.
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(TheShell().area, TheShell().window, 0, 0, &x, &y);
    wl_region* region = wl_compositor_create_region(compositor);
    wl_region_add(region, x, y, gdk_window_get_width(area), gdk_window_get_height(area));
    // Persistent: when the compositor lifts it for a while (another surface
    // took the pointer's focus), it comes back by itself; the toy lets it go
    // at the moments it frees the pointer.
    TheShell().confinement = zwp_pointer_constraints_v1_confine_pointer(constraints, surface, wlPointer, region,
                                                            ZWP_POINTER_CONSTRAINTS_V1_LIFETIME_PERSISTENT);
    // The compositor has copied the region by the time it reads the request.
    wl_region_destroy(region);
    wl_display_flush(connection);
    return TheShell().confinement != nullptr;
}

void FreeWaylandPointer()
{
    GtkShell& shell = TheShell();
    if (!shell.confinement)
        return;
    zwp_confined_pointer_v1_destroy(shell.confinement);
    shell.confinement = nullptr;
    wl_display_flush(gdk_wayland_display_get_wl_display(gdk_display_get_default()));
}

}  // namespace gtk3
