// Rows of a filled ellipse, read back from one cairo fill of it.
#include "gtk/ellipse_rows_gtk.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <optional>
#include <string>

#include "gtk/file_ops_posix.h"

namespace {

struct RowsFile {
    bool opened = false;
    const uint8_t* data = nullptr;
    size_t size = 0;
    uint32_t count = 0;
};

RowsFile g_file;

uint32_t Read(const uint8_t* at, int bytes)
{
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return value;
}

constexpr size_t kEntrySize = 8;

// The program's data file, mapped read-only: its pages are read as keys
// need them and shared with every other copy of the program. Without it
// every ellipse is filled by cairo.
void MapRowsFile()
{
    g_file.opened = true;
    const std::optional<std::string> path = DataFile(kEllipseRowsFile);
    if (!path)
        return;
    const int fd = open(path->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    void* memory = MAP_FAILED;
    if (fstat(fd, &info) == 0 && info.st_size >= 4)
        memory = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (memory == MAP_FAILED)
        return;
    const auto* data = static_cast<const uint8_t*>(memory);
    const size_t size = static_cast<size_t>(info.st_size);
    const uint32_t count = Read(data, 4);
    if (4 + static_cast<size_t>(count) * kEntrySize > size) {
        munmap(memory, size);
        return;
    }
    g_file.data = data;
    g_file.size = size;
    g_file.count = count;
}

}  // namespace

const uint8_t* BuiltEllipseRows(int width, int height)
{
    if (!g_file.opened)
        MapRowsFile();
    if (!g_file.data)
        return nullptr;
    // The sizes are in order of width, then height.
    const uint32_t key = static_cast<uint32_t>(width) << 16 | static_cast<uint32_t>(height);
    uint32_t low = 0;
    uint32_t high = g_file.count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        const uint8_t* entry = g_file.data + 4 + static_cast<size_t>(middle) * kEntrySize;
        const uint32_t found = Read(entry, 2) << 16 | Read(entry + 2, 2);
        if (found < key) {
            low = middle + 1;
        } else if (found > key) {
            high = middle;
        } else {
            const size_t rows = 4 + static_cast<size_t>(g_file.count) * kEntrySize + Read(entry + 4, 4);
            return rows + 2 * static_cast<size_t>(height) <= g_file.size ? g_file.data + rows : nullptr;
        }
    }
    return nullptr;
}

void AddEllipsePath(cairo_t* cr, const Box& box)
{
    const double width = box.right - box.left;
    const double height = box.bottom - box.top;
    if (width <= 0 || height <= 0)
        return;
    cairo_save(cr);
    cairo_translate(cr, box.left + width / 2, box.top + height / 2);
    cairo_scale(cr, width / 2, height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_close_path(cr);
    cairo_restore(cr);
}

std::vector<uint16_t> CairoEllipseRows(int width, int height)
{
    std::vector<uint16_t> rows(2 * static_cast<size_t>(height > 0 ? height : 0), 0);
    if (width <= 0 || height <= 0 || width > 0xFFFF)
        return rows;
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    AddEllipsePath(cr, Box{0, 0, width, height});
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(mask);
    const unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; data && y < height; ++y) {
        const unsigned char* row = data + y * stride;
        int first = 0;
        while (first < width && !row[first])
            ++first;
        int end = width;
        while (end > first && !row[end - 1])
            --end;
        rows[2 * y] = static_cast<uint16_t>(first);
        rows[2 * y + 1] = static_cast<uint16_t>(end);
    }
    cairo_surface_destroy(mask);
    return rows;
}

bool FillEllipseFromBuiltRows(cairo_surface_t* canvas, const Box& box, Colour colour)
{
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const uint8_t* rows = width > 0 && height > 0 ? BuiltEllipseRows(width, height) : nullptr;
    if (!rows)
        return false;
    // Cairo's pixel for an opaque colour on an RGB24 surface.
    const uint32_t pixel = 0xFF000000u | static_cast<uint32_t>(RedOf(colour)) << 16 |
                           static_cast<uint32_t>(GreenOf(colour)) << 8 | static_cast<uint32_t>(BlueOf(colour));
    unsigned char* data = cairo_image_surface_get_data(canvas);
    const int stride = cairo_image_surface_get_stride(canvas);
    const int right = cairo_image_surface_get_width(canvas);
    const int top = std::max(box.top, 0);
    const int bottom = std::min(box.bottom, cairo_image_surface_get_height(canvas));
    for (int y = top; y < bottom; ++y) {
        const int from = std::max(box.left + rows[2 * (y - box.top)], 0);
        const int to = std::min(box.left + rows[2 * (y - box.top) + 1], right);
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        if (to > from)
            std::fill(row + from, row + to, pixel);
    }
    return true;
}
