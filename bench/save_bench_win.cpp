// Times Save as BMP from the command to the closed file, without the Save As
// dialog: the canvas of a window of the given size is captured, encoded and
// written atomically, exactly as the menu command does after the dialog.
// Beside it, the limit: the same number of bytes written to a new file in one
// buffered write. Then the save's two steps one by one: reading the canvas
// into the file's bytes, and the atomic write (which flushes the file to the
// disk before it replaces anything); and the whole save once more with the
// flush left out, to show what the flush costs. Prints "save_ms M limit_ms M
// bytes N capture_ms M write_ms M unflushed_save_ms M", each M a median.
// Usage: scrivlet_save_bench.exe WIDTH HEIGHT FOLDER [REPEATS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "win32/shell_win.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

FileError NoFlush(FileHandle) { return FileError::None; }

bool WriteAtOnce(const std::string& path, const std::vector<char>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: scrivlet_save_bench.exe WIDTH HEIGHT FOLDER [REPEATS]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const std::string folder = argv[3];
    const int repeats = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    // A pop-up window is not cut to the screen's size, so its canvas can be
    // larger than the screen.
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        std::fprintf(stderr, "save bench: no window\n");
        return 1;
    }
    w32::CreateCanvas(window);
    w32::UseWin32Platform(window);
    const CanvasBounds bounds = w32::TheShell().canvas.bounds;
    if (bounds.right != width || bounds.bottom != height) {
        std::fprintf(stderr, "save bench: the canvas is %dx%d\n", bounds.right, bounds.bottom);
        return 1;
    }
    const std::string savePath = folder + "\\bench-save.bmp";
    const std::string limitPath = folder + "\\bench-limit.bin";
    const std::vector<char> bytes(kBmpHeaderSize + BmpStride(width) * static_cast<size_t>(height), 'x');

    FileOps unflushed = w32::Win32FileOps();
    unflushed.flush = NoFlush;

    std::vector<double> save, limit, capture, write, unflushedSave;
    for (int i = 0; i < repeats; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const bool saved = SavePictureTo(TheProgram(), savePath);
        QueryPerformanceCounter(&end);
        if (!saved) {
            std::fprintf(stderr, "save bench: the save failed\n");
            return 1;
        }
        save.push_back(Milliseconds(start, end));

        QueryPerformanceCounter(&start);
        const bool written = WriteAtOnce(limitPath, bytes);
        QueryPerformanceCounter(&end);
        if (!written) {
            std::fprintf(stderr, "save bench: the plain write failed\n");
            return 1;
        }
        limit.push_back(Milliseconds(start, end));

        QueryPerformanceCounter(&start);
        const std::vector<uint8_t> file = w32::ReadCanvasAsBmp(w32::TheShell().canvas);
        QueryPerformanceCounter(&end);
        capture.push_back(Milliseconds(start, end));
        QueryPerformanceCounter(&start);
        FileError error = WriteFileAtomically(w32::Win32FileOps(), savePath, file.data(), file.size());
        QueryPerformanceCounter(&end);
        write.push_back(Milliseconds(start, end));
        if (file.empty() || error != FileError::None) {
            std::fprintf(stderr, "save bench: a step failed\n");
            return 1;
        }

        QueryPerformanceCounter(&start);
        const std::vector<uint8_t> again = w32::ReadCanvasAsBmp(w32::TheShell().canvas);
        error = again.empty() ? FileError::Other : WriteFileAtomically(unflushed, savePath, again.data(), again.size());
        QueryPerformanceCounter(&end);
        unflushedSave.push_back(Milliseconds(start, end));
        if (error != FileError::None) {
            std::fprintf(stderr, "save bench: the save without the flush failed\n");
            return 1;
        }
    }
    DeleteFileA(savePath.c_str());
    DeleteFileA(limitPath.c_str());
    std::printf("save_ms %.2f limit_ms %.2f bytes %zu capture_ms %.2f write_ms %.2f unflushed_save_ms %.2f\n",
                Median(save), Median(limit), bytes.size(), Median(capture), Median(write), Median(unflushedSave));
    return 0;
}
