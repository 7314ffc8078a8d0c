// The export reads the canvas bitmap, not the window: the pixels it captures
// are the canvas's own, at its full size, even where the window shows
// something else.
#include "files/bmp_export_win.h"
#include "tests/win/window_fixture.h"

namespace {

class BmpExport : public WindowTest {};

TEST_F(BmpExport, CapturesTheWholeCanvasEvenWhereTheWindowDiffers)
{
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(100, 100);
    MovePointer(300, 200);
    // A block on the canvas only, behind the window's back.
    const RECT hidden{400, 300, 460, 340};
    const COLORREF hiddenColour = RGB(10, 200, 30);
    HBRUSH brush = CreateSolidBrush(hiddenColour);
    FillRect(TheCanvas().memorySurface, &hidden, brush);
    DeleteObject(brush);

    const CanvasPixels captured = CaptureCanvasPixels();
    const CanvasBounds bounds = TheCanvas().bounds;
    ASSERT_EQ(captured.width, bounds.right);
    ASSERT_EQ(captured.height, bounds.bottom);
    ASSERT_EQ(captured.rows.size(), 4u * bounds.right * bounds.bottom);

    const Pixels canvas = GrabCanvas(RECT{0, 0, bounds.right, bounds.bottom});
    int differing = 0;
    for (size_t i = 0; i < canvas.colours.size(); ++i) {
        const uint8_t* pixel = &captured.rows[4 * i];
        differing += RGB(pixel[2], pixel[1], pixel[0]) != canvas.colours[i];
    }
    EXPECT_EQ(differing, 0) << "captured pixels that are not the canvas's";
    EXPECT_GT(canvas.CountOther(kBackgroundColour), hidden.right - hidden.left) << "the stroke is there too";
    EXPECT_EQ(canvas.At(430, 320), hiddenColour);
    EXPECT_NE(WindowPixel(430, 320), hiddenColour) << "the window does not show the hidden block";
}

}  // namespace
