// Cairo side of the canvas: the marks that the core decides, painted as the
// Windows program's GDI paints them: round-ended lines through pixel centres
// and null-pen ellipses that fill their bounding box up to, not including,
// its right and bottom edges.
#include "gtk/canvas_gtk.h"

#include <algorithm>
#include <cstdint>

#include "gtk/ellipse_rows_gtk.h"

namespace {

CairoCanvas g_canvas;

void SetColour(cairo_t* cr, Colour colour)
{
    cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

cairo_t* BeginMark()
{
    cairo_t* cr = cairo_create(g_canvas.surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    return cr;
}

void EndMark(cairo_t* cr)
{
    cairo_destroy(cr);
    cairo_surface_mark_dirty(g_canvas.surface);
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
// without a pen: by cairo, unless the rows found when the program was built
// (gtk/ellipse_rows_gtk.cpp) have its size. The cairo context is made at
// the first ellipse that needs it.
void FillEllipse(cairo_t*& cr, const Box& box, Colour colour)
{
    if (FillEllipseFromBuiltRows(g_canvas.surface, box, colour))
        return;
    if (!cr)
        cr = BeginMark();
    SetColour(cr, colour);
    AddEllipsePath(cr, box);
    cairo_fill(cr);
}

void BlossomShape(cairo_t*& cr, Point centre, int w, int h, Colour colour)
{
    for (const Box& box : BlossomEllipses(centre, w, h))
        FillEllipse(cr, box, colour);
}

Box Grow(Point a, Point b, int by)
{
    return Box{std::min(a.x, b.x) - by, std::min(a.y, b.y) - by, std::max(a.x, b.x) + by + 1,
               std::max(a.y, b.y) + by + 1};
}

}  // namespace

CairoCanvas& TheCairoCanvas() { return g_canvas; }

bool CreateCairoCanvas(int width, int height, unsigned char* pixels)
{
    if (g_canvas.surface || width <= 0 || height <= 0)
        return false;
    cairo_surface_t* surface =
        pixels ? cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_RGB24, width, height, width * 4)
               : cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    g_canvas.surface = surface;
    g_canvas.bounds = CanvasBounds{width, height};
    ClearCairoCanvas(width, height);
    return true;
}

Box PaintSegmentOnCanvas(const Segment& segment)
{
    if (!g_canvas.surface)
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
    if (!g_canvas.surface)
        return Box{};
    cairo_surface_flush(g_canvas.surface);
    cairo_t* cr = nullptr;
    int a = blossom.a;
    int b = blossom.b;
    if (blossom.margin) {
        a = MarginSize(blossom.a);
        b = MarginSize(blossom.b);
        BlossomShape(cr, blossom.centre, a, b, kBackgroundColour);
    }
    BlossomShape(cr, blossom.centre, blossom.a, blossom.b, blossom.colour);
    if (cr)
        cairo_destroy(cr);
    const int reach = std::max(a, b) / 2 + 1;
    const Box changed = Grow(blossom.centre, blossom.centre, reach);
    const int left = std::max(changed.left, 0);
    const int top = std::max(changed.top, 0);
    const int right = std::min(changed.right, g_canvas.bounds.right);
    const int bottom = std::min(changed.bottom, g_canvas.bounds.bottom);
    if (right > left && bottom > top)
        cairo_surface_mark_dirty_rectangle(g_canvas.surface, left, top, right - left, bottom - top);
    return changed;
}

void ClearCairoCanvas(int width, int height)
{
    if (!g_canvas.surface || width <= 0 || height <= 0)
        return;
    cairo_t* cr = BeginMark();
    SetColour(cr, kBackgroundColour);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    EndMark(cr);
}

void PaintCanvasOnto(cairo_t* target, const Box& clip)
{
    cairo_save(target);
    cairo_rectangle(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    cairo_clip(target);
    // Black only where the clip reaches beyond the canvas: a fresh mark's
    // rectangle seldom does.
    const CanvasBounds& canvas = g_canvas.bounds;
    if (!g_canvas.surface || clip.left < 0 || clip.top < 0 || clip.right > canvas.right || clip.bottom > canvas.bottom) {
        SetColour(target, kBackgroundColour);
        cairo_paint(target);
    }
    if (g_canvas.surface) {
        cairo_set_source_surface(target, g_canvas.surface, 0, 0);
        cairo_rectangle(target, 0, 0, g_canvas.bounds.right, g_canvas.bounds.bottom);
        cairo_fill(target);
    }
    cairo_restore(target);
}
