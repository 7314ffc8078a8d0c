// Rows of a filled ellipse, read back from one cairo fill of it.
#include "draw/ellipse_rows_gtk.h"

#include <cstddef>

void AddEllipsePath(cairo_t* cr, const Box& box)
{
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, box.left + width / 2, box.top + height / 2);
    cairo_scale(cr, width / 2, height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_close_path(cr);
    cairo_restore(cr);
}

std::vector<uint16_t> CairoEllipseRows(int width, int height)
{
    std::vector<uint16_t> rows(2 * static_cast<size_t>(height > 0 ? height : 0), 0);
    if (width <= 0 || height <= 0 || width > 0xFFFF)
        return rows;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    AddEllipsePath(cr, Box{0, 0, width, height});
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(mask);
    const unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; data && y < height; ++y) {
        const unsigned char* row = data + y * stride;
        int first = 0;
        while (first < width && !row[first])
            ++first;
        int end = width;
        while (end > first && !row[end - 1])
            --end;
        rows[2 * y] = static_cast<uint16_t>(first);
        rows[2 * y + 1] = static_cast<uint16_t>(end);
    }
    cairo_surface_destroy(mask);
    return rows;
}
