// Cairo side of the canvas: the marks that the core decides, painted as the
// Windows program's GDI paints them: round-ended lines through pixel centres
// and null-pen ellipses that fill their bounding box up to, not including,
// its right and bottom edges.
#include "gtk/canvas_gtk.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

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

// Rows of sizes no blossom of this build has (none, unless the stamp sizes
// change without a rebuild of the table), found as they come.
std::unordered_map<uint32_t, std::vector<uint16_t>> g_otherEllipses;

template <typename Column>
void FillRows(const Box& box, const Column* rows, Colour colour)
{
    // Cairo's pixel for an opaque colour on an RGB24 surface.
    const uint32_t pixel = 0xFF000000u | static_cast<uint32_t>(RedOf(colour)) << 16 |
                           static_cast<uint32_t>(GreenOf(colour)) << 8 | static_cast<uint32_t>(BlueOf(colour));
    unsigned char* data = cairo_image_surface_get_data(g_canvas.surface);
    const int stride = cairo_image_surface_get_stride(g_canvas.surface);
    const int top = std::max(box.top, 0);
    const int bottom = std::min(box.bottom, g_canvas.bounds.bottom);
    for (int y = top; y < bottom; ++y) {
        const int from = std::max(box.left + rows[2 * (y - box.top)], 0);
        const int to = std::min(box.left + rows[2 * (y - box.top) + 1], g_canvas.bounds.right);
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        if (to > from)
            std::fill(row + from, row + to, pixel);
    }
}

// Fills an ellipse whose box has its edges between pixels with cairo's own
// pixels for that size, written straight into the canvas, clipped to it: a
// key costs rows of stores instead of a path flattened and scan-converted.
void FillEllipse(const Box& box, Colour colour)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF)
        return;
    if (const uint8_t* rows = BuiltEllipseRows(width, height)) {
        FillRows(box, rows, colour);
        return;
    }
    const uint32_t key = static_cast<uint32_t>(width) << 16 | static_cast<uint32_t>(height);
    auto found = g_otherEllipses.find(key);
    if (found == g_otherEllipses.end())
        found = g_otherEllipses.emplace(key, CairoEllipseRows(width, height)).first;
    FillRows(box, found->second.data(), colour);
}

void BlossomShape(Point centre, int w, int h, Colour colour)
{
    for (const Box& box : BlossomEllipses(centre, w, h))
        FillEllipse(box, colour);
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
    int a = blossom.a;
    int b = blossom.b;
    if (blossom.margin) {
        a = MarginSize(blossom.a);
        b = MarginSize(blossom.b);
        BlossomShape(blossom.centre, a, b, kBackgroundColour);
    }
    BlossomShape(blossom.centre, blossom.a, blossom.b, blossom.colour);
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
