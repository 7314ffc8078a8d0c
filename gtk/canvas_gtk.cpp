// Cairo side of the canvas: the marks that the core decides, painted as the
// Windows program's GDI paints them: round-ended lines through pixel centres
// and null-pen ellipses that fill their bounding box up to, not including,
// its right and bottom edges.
#include <algorithm>
#include <cstdint>

#include "gtk/shell_gtk.h"

namespace gtk3 {

void SetColour(cairo_t* cr, Colour colour)
{
    cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

cairo_t* BeginMark()
{
    cairo_t* cr = cairo_create(TheShell().canvas.surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    return cr;
}

void EndMark(cairo_t* cr)
{
    cairo_destroy(cr);
    cairo_surface_mark_dirty(TheShell().canvas.surface);
}

// A line as a wide GDI pen draws it: through the centres of the end pixels,
// with round ends, so a zero-length line is a round dot.
void Line(cairo_t* cr, Point from, Point to, int width, Colour colour)
{
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr);
}

// An ellipse whose box has its edges between pixels, filled as GDI fills it
// without a pen.
void FillEllipse(cairo_t* cr, const Box& box, Colour colour)
{
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    SetColour(cr, colour);
    cairo_save(cr);
    cairo_translate(cr, box.left + width / 2, box.top + height / 2);
    cairo_scale(cr, width / 2, height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * G_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_fill(cr);
}

void BlossomShape(cairo_t* cr, Point centre, int w, int h, Colour colour)
{
    for (const Box& box : BlossomEllipses(centre, w, h))
        FillEllipse(cr, box, colour);
}

Box Grow(Point a, Point b, int by)
{
    return Box{std::min(a.x, b.x) - by, std::min(a.y, b.y) - by, std::max(a.x, b.x) + by + 1,
               std::max(a.y, b.y) + by + 1};
}

bool CreateCairoCanvas(int width, int height)
{
    CairoCanvas& canvas = TheShell().canvas;
    if (canvas.surface || width <= 0 || height <= 0)
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    canvas.surface = surface;
    canvas.bounds = CanvasBounds{width, height};
    ClearCairoCanvas(width, height);
    return true;
}

Box PaintSegmentOnCanvas(const Segment& segment)
{
    if (!TheShell().canvas.surface)
        return Box{};
    cairo_t* cr = BeginMark();
    if (segment.margin)
        Line(cr, segment.from, segment.to, kMarginPenWidth, kBackgroundColour);
    Line(cr, segment.from, segment.to, segment.width, segment.colour);
    EndMark(cr);
    const int reach = std::max(segment.margin ? kMarginPenWidth : 0, segment.width) / 2 + 1;
    return Grow(segment.from, segment.to, reach);
}

Box PaintBlossomOnCanvas(const Blossom& blossom)
{
    if (!TheShell().canvas.surface)
        return Box{};
    cairo_t* cr = BeginMark();
    int a = blossom.a;
    int b = blossom.b;
    if (blossom.margin) {
        a = MarginSize(blossom.a);
        b = MarginSize(blossom.b);
        BlossomShape(cr, blossom.centre, a, b, kBackgroundColour);
    }
    BlossomShape(cr, blossom.centre, blossom.a, blossom.b, blossom.colour);
    EndMark(cr);
    return Grow(blossom.centre, blossom.centre, std::max(a, b) / 2 + 1);
}

void ClearCairoCanvas(int width, int height)
{
    if (!TheShell().canvas.surface || width <= 0 || height <= 0)
        return;
    cairo_t* cr = BeginMark();
    SetColour(cr, kBackgroundColour);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    EndMark(cr);
}

gboolean DrawCanvas(GtkWidget*, cairo_t* target, gpointer)
{
    const CairoCanvas& canvas = TheShell().canvas;
    // Black only where GTK's clip reaches beyond the canvas: a fresh mark's
    // box seldom does.
    double left = 0, top = 0, right = 0, bottom = 0;
    cairo_clip_extents(target, &left, &top, &right, &bottom);
    if (!canvas.surface || left < 0 || top < 0 || right > canvas.bounds.right || bottom > canvas.bounds.bottom) {
        SetColour(target, kBackgroundColour);
        cairo_paint(target);
    }
    if (canvas.surface) {
        cairo_set_source_surface(target, canvas.surface, 0, 0);
        cairo_rectangle(target, 0, 0, canvas.bounds.right, canvas.bounds.bottom);
        cairo_fill(target);
    }
    return TRUE;
}

}  // namespace gtk3
