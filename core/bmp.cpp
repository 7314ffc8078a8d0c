// Fills every header field explicitly little-endian, whatever the host, and
// turns the rows over: BMP files keep the bottom row first.
#include "core/bmp.h"

#include <cstring>
#include <limits>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
static_assert(kFileHeaderSize + kInfoHeaderSize == kBmpHeaderSize, "BMP header layout");

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

void PutHeaders(uint8_t* file, int width, int height, uint32_t fileSize)
{
    // Fields not set here (reserved words, compression BI_RGB, image size,
    // resolution, colours) are zero.
    file[0] = 'B';
    file[1] = 'M';
    Put32(file + 2, fileSize);
    Put32(file + 10, kBmpHeaderSize);
    uint8_t* info = file + kFileHeaderSize;
    Put32(info + 0, kInfoHeaderSize);
    Put32(info + 4, static_cast<uint32_t>(width));
    Put32(info + 8, static_cast<uint32_t>(height));  // positive: bottom-up rows
    Put16(info + 12, 1);                             // planes
    Put16(info + 14, 24);                            // bits per pixel
}

uint64_t BmpStride64(int width) { return (3 * static_cast<uint64_t>(width) + 3) & ~uint64_t{3}; }

}  // namespace

size_t BmpStride(int width) { return static_cast<size_t>(BmpStride64(width)); }

std::vector<uint8_t> BlankBmpFile(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    // The file size field is 32 bits, which a 32-bit build can address too.
    const uint64_t fileSize64 = kBmpHeaderSize + BmpStride64(width) * static_cast<uint64_t>(height);
    if (fileSize64 > std::numeric_limits<uint32_t>::max())
        return {};
    std::vector<uint8_t> file(static_cast<size_t>(fileSize64), 0);
    PutHeaders(file.data(), width, height, static_cast<uint32_t>(fileSize64));
    return file;
}

std::vector<uint8_t> EncodeBmp(const uint8_t* bgrxRows, int width, int height)
{
    // The source rows must be addressable on a 32-bit build too.
    const uint64_t sourceSize64 = 4 * static_cast<uint64_t>(width > 0 ? width : 0) *
                                  static_cast<uint64_t>(height > 0 ? height : 0);
    if (sourceSize64 > std::numeric_limits<size_t>::max())
        return {};
    std::vector<uint8_t> file = BlankBmpFile(width, height);
    if (file.empty())
        return file;
    const size_t stride = BmpStride(width);
    const size_t sourceStride = 4 * static_cast<size_t>(width);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = bgrxRows + sourceStride * static_cast<size_t>(height - 1 - row);
        uint8_t* to = file.data() + kBmpHeaderSize + stride * static_cast<size_t>(row);
        for (int x = 0; x < width; ++x, from += 4, to += 3)
            std::memcpy(to, from, 3);
    }
    return file;
}

FileError WriteBmpFile(const FileOps& ops, const std::string& path, const uint8_t* bgrxRows, int width, int height)
{
    const std::vector<uint8_t> file = EncodeBmp(bgrxRows, width, height);
    if (file.empty())
        return FileError::Other;
    return WriteFileAtomically(ops, path, file.data(), file.size());
}
