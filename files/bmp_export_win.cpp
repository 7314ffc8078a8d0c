// GDI side of the export: the canvas bitmap is copied into a 32-bit DIB
// section and encoded from there. GetDIBits is not used on the canvas bitmap
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
    const std::string text = SaveFailureText(path, reason);
    MessageBoxA(owner, text.c_str(), kSaveFailureTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

std::vector<uint8_t> CanvasAsBmp()
{
    const Canvas& canvas = TheCanvas();
    const int width = canvas.bounds.right;
    const int height = canvas.bounds.bottom;
    if (!canvas.memorySurface || width <= 0 || height <= 0)
        return {};

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
        return {};
    SelectedBitmap copy(canvas.memorySurface, section.get());
    if (!copy.dc() || !BitBlt(copy.dc(), 0, 0, width, height, canvas.memorySurface, 0, 0, SRCCOPY))
        return {};
    GdiFlush();
    return EncodeBmp(static_cast<const uint8_t*>(bits), width, height);
}

bool SaveCanvasToFile(HWND owner, const char* path)
{
    std::vector<uint8_t> file;
    try {
        file = CanvasAsBmp();
    } catch (const std::bad_alloc&) {
        file.clear();
    }
    if (file.empty()) {
        TellSaveFailed(owner, path, kNoPictureReason);
        return false;
    }
    const FileError error = WriteFileAtomically(path, file.data(), file.size());
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
