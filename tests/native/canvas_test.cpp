// Blossoms painted on the cairo canvas from the rows kept for each ellipse
// size must be, pixel for pixel, what cairo's own fills of the same
// ellipses paint: every size a stamp can have, with and without its black
// copy, and cut by each edge of the canvas.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gtk/canvas_gtk.h"
#include "gtk/ellipse_rows_gtk.h"

namespace {

constexpr int kWidth = 61 * 170 + 40;
constexpr int kHeight = 700;

// The blossom as cairo fills it: the black copy's two ellipses, then its own.
void PaintWithCairo(cairo_t* cr, const Blossom& blossom)
{
    auto fill = [&](int w, int h, Colour colour) {
        cairo_set_source_rgb(cr, RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
        for (const Box& box : BlossomEllipses(blossom.centre, w, h)) {
            AddEllipsePath(cr, box);
            cairo_fill(cr);
        }
    };
    if (blossom.margin)
        fill(MarginSize(blossom.a), MarginSize(blossom.b), kBackgroundColour);
    fill(blossom.a, blossom.b, blossom.colour);
}

TEST(CairoCanvas, BlossomsOfEverySizeHaveCairosPixels)
{
    ASSERT_TRUE(CreateCairoCanvas(kWidth, kHeight));
    cairo_surface_t* canvas = TheCairoCanvas().surface;
    cairo_surface_t* expected = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(expected);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const int last = kStampMinSize + kStampSizeRange;
    for (int a = kStampMinSize; a <= last; ++a) {
        ClearCairoCanvas(kWidth, kHeight);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        std::vector<Blossom> blossoms;
        for (int b = kStampMinSize; b <= last; ++b) {
            const int x = 90 + (b - kStampMinSize) * 170;
            const Colour colour = MakeColour(a * 3, b * 4, (a * b) % 256);
            blossoms.push_back(Blossom{Point{x, 90}, a, b, colour, true});
            blossoms.push_back(Blossom{Point{x, 260}, b, a, colour, false});
        }
        // Cut by the left, top, right and bottom edges, and a corner.
        for (const Point centre : {Point{3, 420}, Point{600, 1}, Point{kWidth - 2, 500}, Point{900, kHeight - 1},
                                   Point{kWidth - 1, kHeight - 1}})
            blossoms.push_back(Blossom{centre, a, last - a + kStampMinSize, MakeColour(200, 100, a), true});
        for (const Blossom& blossom : blossoms) {
            PaintBlossomOnCanvas(blossom);
            PaintWithCairo(cr, blossom);
        }
        cairo_surface_flush(canvas);
        cairo_surface_flush(expected);
        const int stride = cairo_image_surface_get_stride(canvas);
        ASSERT_EQ(stride, cairo_image_surface_get_stride(expected));
        const unsigned char* got = cairo_image_surface_get_data(canvas);
        const unsigned char* want = cairo_image_surface_get_data(expected);
        for (int y = 0; y < kHeight; ++y) {
            const auto* gotRow = reinterpret_cast<const uint32_t*>(got + y * stride);
            const auto* wantRow = reinterpret_cast<const uint32_t*>(want + y * stride);
            if (std::memcmp(gotRow, wantRow, kWidth * 4) == 0)
                continue;
            int x = 0;
            while (gotRow[x] == wantRow[x])
                ++x;
            FAIL() << "a = " << a << ": pixel (" << x << ", " << y << ") is " << std::hex << gotRow[x]
                   << ", cairo paints " << wantRow[x];
        }
        // Every size a stamp can have was found when the program was built.
        for (int b = kStampMinSize; b <= last; ++b) {
            for (const Box& box : BlossomEllipses(Point{0, 0}, a, b))
                EXPECT_NE(BuiltEllipseRows(box.right - box.left, box.bottom - box.top), nullptr);
            for (const Box& box : BlossomEllipses(Point{0, 0}, MarginSize(a), MarginSize(b)))
                EXPECT_NE(BuiltEllipseRows(box.right - box.left, box.bottom - box.top), nullptr);
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(expected);
}

}  // namespace
