// A mark reaches the window only inside the box that painting it returns:
// GTK redraws that box from the canvas and nothing else. Every pixel a mark
// changes, its black margin's included, must lie inside it, for every
// stamp size and for the widest segments, cut by the canvas's edges too.
#include <gtest/gtest.h>

#include <string>

#include "gtk/shell_gtk.h"

using namespace gtk3;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr uint32_t kGrey = 0x808080;

// Fills the canvas with grey, so that a black margin shows; paints the mark;
// names the first pixel that changed outside the returned box, if any.
template <typename Paint>
std::string PixelOutsideBox(Paint paint)
{
    cairo_surface_t* canvas = TheShell().canvas.surface;
    cairo_surface_flush(canvas);
    auto* data = cairo_image_surface_get_data(canvas);
    const int stride = cairo_image_surface_get_stride(canvas);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = kGrey;
    cairo_surface_mark_dirty(canvas);
    const Box box = paint();
    cairo_surface_flush(canvas);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            if (!inside && (reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF) != kGrey)
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return "";
}

TEST(CairoCanvas, EveryChangedPixelIsInsideTheBoxToRedraw)
{
    ASSERT_TRUE(CreateCairoCanvas(kWidth, kHeight));
    const int last = kStampMinSize + kStampSizeRange;
    for (const Point centre : {Point{200, 150}, Point{2, 3}, Point{kWidth - 1, kHeight - 2}})
        for (int a = kStampMinSize; a <= last; a += 7)
            for (int b = kStampMinSize; b <= last; b += 11)
                for (bool margin : {false, true}) {
                    const Blossom blossom{centre, a, b, MakeColour(250, 10, 10), margin};
                    EXPECT_EQ(PixelOutsideBox([&] { return PaintBlossomOnCanvas(blossom); }), "")
                        << "blossom " << a << "x" << b << " at " << centre.x << "," << centre.y << " margin " << margin;
                }
    const Segment segments[] = {
        {Point{50, 50}, Point{50, 50}, 1, MakeColour(10, 250, 10), false},
        {Point{10, 200}, Point{390, 20}, 40, MakeColour(10, 250, 10), true},
        {Point{0, 0}, Point{0, 299}, 33, MakeColour(10, 250, 10), true},
        {Point{300, 100}, Point{301, 101}, 2, MakeColour(10, 250, 10), true},
    };
    for (const Segment& segment : segments)
        EXPECT_EQ(PixelOutsideBox([&] { return PaintSegmentOnCanvas(segment); }), "")
            << "segment of width " << segment.width << " margin " << segment.margin;
}

}  // namespace
