// The export reads the canvas bitmap, not the window, straight into the
// file's rows: the file holds the canvas's own pixels at its full size, the
// bottom row first with zero filler, even where the window shows something
// else; and the bitmap is back in its DC afterwards.
#include "core/bmp.h"
#include "tests/win/window_fixture.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Checks that `file` is a BMP file of exactly `expected` (top-down colours)
// with zero filler. Gives up at the first wrong byte, naming it.
void ExpectFileHolds(const std::vector<uint8_t>& file, const Pixels& expected)
{
    const int width = expected.area.right - expected.area.left;
    const int height = expected.area.bottom - expected.area.top;
    const size_t stride = BmpStride(width);
    ASSERT_EQ(file.size(), kBmpHeaderSize + stride * height);
    ASSERT_EQ(Read32(file, 18), static_cast<uint32_t>(width));
    ASSERT_EQ(Read32(file, 22), static_cast<uint32_t>(height));
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        const uint8_t* stored = &file[kBmpHeaderSize + stride * row];
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = stored + 3 * x;
            ASSERT_EQ(RGB(pixel[2], pixel[1], pixel[0]), expected.At(expected.area.left + x, expected.area.top + y))
                << "pixel (" << x << ", " << y << ") of " << width << "x" << height;
        }
        for (size_t filler = 3 * static_cast<size_t>(width); filler < stride; ++filler)
            ASSERT_EQ(stored[filler], 0) << "filler byte " << filler << " of stored row " << row;
    }
}

class BmpExport : public WindowTest {};

TEST_F(BmpExport, ReadsTheWholeCanvasEvenWhereTheWindowDiffers)
{
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(100, 100);
    MovePointer(300, 200);
    // A block on the canvas only, behind the window's back.
    const RECT hidden{400, 300, 460, 340};
    const COLORREF hiddenColour = RGB(10, 200, 30);
    HBRUSH brush = CreateSolidBrush(hiddenColour);
    FillRect(w32::TheShell().canvas.memorySurface, &hidden, brush);
    DeleteObject(brush);

    const std::vector<uint8_t> file = w32::ReadCanvasAsBmp(w32::TheShell().canvas);
    const CanvasBounds bounds = w32::TheShell().canvas.bounds;
    const Pixels canvas = GrabCanvas(RECT{0, 0, bounds.right, bounds.bottom});
    ExpectFileHolds(file, canvas);
    EXPECT_GT(canvas.CountOther(kBackgroundColour), hidden.right - hidden.left) << "the stroke is there too";
    EXPECT_EQ(canvas.At(430, 320), hiddenColour);
    EXPECT_NE(WindowPixel(430, 320), hiddenColour) << "the window does not show the hidden block";

    // Back in its DC, the bitmap takes the marks drawn after the save.
    EXPECT_EQ(GetCurrentObject(w32::TheShell().canvas.memorySurface, OBJ_BITMAP), w32::TheShell().canvas.bitmap);
}

struct CanvasShape {
    int width;
    int height;
};

class BmpExportShapes : public ::testing::TestWithParam<CanvasShape> {};

// A canvas of its own, built as the program builds its one, with a pattern in
// which every pixel differs from its neighbours in each channel.
TEST_P(BmpExportShapes, RowsAreTheCanvasPixelsWithZeroFiller)
{
    const CanvasShape shape = GetParam();
    HDC screen = GetDC(nullptr);
    w32::Canvas canvas;
    canvas.memorySurface = CreateCompatibleDC(nullptr);
    canvas.bitmap = CreateCompatibleBitmap(screen, shape.width, shape.height);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(canvas.memorySurface, nullptr);
    ASSERT_NE(canvas.bitmap, nullptr);
    canvas.displacedBitmap = SelectObject(canvas.memorySurface, canvas.bitmap);
    canvas.bounds = CanvasBounds{shape.width, shape.height};
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x)
            SetPixelV(canvas.memorySurface, x, y, RGB(x * 19 + y * 3 + 1, y * 37 + x + 2, 250 - x * 11 - y * 7));
    }
    const Pixels painted = Grab(canvas.memorySurface, RECT{0, 0, shape.width, shape.height});

    const std::vector<uint8_t> file = w32::ReadCanvasAsBmp(canvas);
    ExpectFileHolds(file, painted);
    EXPECT_EQ(GetCurrentObject(canvas.memorySurface, OBJ_BITMAP), canvas.bitmap) << "the bitmap is selected back";

    SelectObject(canvas.memorySurface, canvas.displacedBitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.memorySurface);
}

INSTANTIATE_TEST_SUITE_P(Widths, BmpExportShapes,
                         ::testing::Values(CanvasShape{10, 5},  // 30 bytes a row, two filler bytes
                                           CanvasShape{13, 4},  // one filler byte
                                           CanvasShape{11, 3},  // three
                                           CanvasShape{8, 6},   // none
                                           CanvasShape{1, 1}),
                         [](const ::testing::TestParamInfo<CanvasShape>& info) {
                             return "Width" + std::to_string(info.param.width);
                         });

}  // namespace
