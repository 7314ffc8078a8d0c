// GDI side of the export: the canvas bitmap is copied into a 32-bit DIB
// section and read from there. GetDIBits is not used on the canvas bitmap
// itself, since that bitmap stays selected into the canvas's memory DC.
#include "files/bmp_export_win.h"

#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include "draw/canvas_win.h"
#include "files/atomic_file.h"
#include "files/bmp.h"
#include "files/file_chooser_win.h"
#include "files/save_failure.h"

namespace {

// A memory DC with one bitmap selected, given back in the right order.
class SelectedBitmap {
public:
    SelectedBitmap(HDC compatibleWith, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatibleWith)), displaced_(dc_ ? SelectObject(dc_, bitmap) : nullptr)
    {
    }
    ~SelectedBitmap()
    {
        if (displaced_)
            SelectObject(dc_, displaced_);
        if (dc_)
            DeleteDC(dc_);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    HDC dc() const { return displaced_ ? dc_ : nullptr; }

private:
    HDC dc_;
    HGDIOBJ displaced_;
};

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

void TellSaveFailed(HWND owner, const char* path, const char* reason)
{
    constexpr UINT kStyle = MB_OK | MB_ICONEXCLAMATION;
    try {
        const std::string text = SaveFailureText(path, reason);
        MessageBoxA(owner, text.c_str(), kSaveFailureTitle, kStyle);
    } catch (const std::bad_alloc&) {
        // Too short of memory even for the sentence: the reason alone.
        MessageBoxA(owner, reason, kSaveFailureTitle, kStyle);
    }
}

}  // namespace

CanvasPixels CaptureCanvasPixels()
{
    const Canvas& canvas = TheCanvas();
    CanvasPixels pixels;
    const int width = canvas.bounds.right;
    const int height = canvas.bounds.bottom;
    if (!canvas.memorySurface || width <= 0 || height <= 0)
        return pixels;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down, as the encoder takes it
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter> section(
        CreateDIBSection(canvas.memorySurface, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        return pixels;
    SelectedBitmap copy(canvas.memorySurface, section.get());
    if (!copy.dc() || !BitBlt(copy.dc(), 0, 0, width, height, canvas.memorySurface, 0, 0, SRCCOPY))
        return pixels;
    GdiFlush();
    const auto* first = static_cast<const uint8_t*>(bits);
    pixels.rows.assign(first, first + 4 * static_cast<size_t>(width) * static_cast<size_t>(height));
    pixels.width = width;
    pixels.height = height;
    return pixels;
}

bool SaveCanvasToFile(HWND owner, const char* path)
{
    // The picture takes a few megabytes twice over (pixels, then the file);
    // running short of memory is told like any other failure, and no
    // exception leaves the window procedure.
    FileError error = FileError::None;
    try {
        const CanvasPixels pixels = CaptureCanvasPixels();
        if (pixels.rows.empty()) {
            TellSaveFailed(owner, path, kNoPictureReason);
            return false;
        }
        error = WriteBmpFile(path, pixels.rows.data(), pixels.width, pixels.height);
    } catch (const std::bad_alloc&) {
        TellSaveFailed(owner, path, kNoPictureReason);
        return false;
    }
    if (error != FileError::None) {
        TellSaveFailed(owner, path, FileErrorReason(error));
        return false;
    }
    return true;
}

void SaveCanvasAsBmp(HWND window)
{
    char path[kChosenPathSize] = "";
    if (!ChooseBitmapFileToSave(window, path))
        return;
    SaveCanvasToFile(window, path);
}
