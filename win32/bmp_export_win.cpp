// The canvas (not the window) read as a 24-bit BMP file for the core's Save
// as BMP: GetDIBits reads the canvas bitmap straight into the file's own
// rows, 24 bits a pixel and bottom row first, so the picture is copied once
// and the file is written from the buffer it was read into.
#include "core/bmp.h"
#include "win32/shell_win.h"

namespace w32 {

std::vector<uint8_t> ReadCanvasAsBmp(const Canvas& canvas)
{
    const int width = canvas.bounds.right;
    const int height = canvas.bounds.bottom;
    if (!canvas.memorySurface || !canvas.bitmap || !canvas.displacedBitmap)
        return {};
    std::vector<uint8_t> file = BlankBmpFile(width, height);
    if (file.empty())
        return file;

    // Positive height: bottom-up rows, as the file keeps them. A DIB's rows
    // are padded to four bytes, which is the file's stride; the blank file's
    // filler is zero already.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    // GetDIBits must not read a bitmap that is selected into a DC, so the
    // memory DC gets back what the bitmap displaced for as long as the read
    // takes, and the bitmap again afterwards.
    if (!SelectObject(canvas.memorySurface, canvas.displacedBitmap))
        return {};
    const int rowsRead = GetDIBits(canvas.memorySurface, canvas.bitmap, 0, static_cast<UINT>(height),
                                   file.data() + kBmpHeaderSize, &format, DIB_RGB_COLORS);
    SelectObject(canvas.memorySurface, canvas.bitmap);
    if (rowsRead != height)
        return {};
    return file;
}

}  // namespace w32
