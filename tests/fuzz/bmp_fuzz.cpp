// The BMP encoder's size arithmetic for any width and height: a file whose
// size would not fit the 32-bit size field, or a size that is not positive,
// is refused before a pixel is read; any other file is exactly 54 + stride x
// height bytes with the right headers and the rows turned over. Sizes whose
// file would be larger than 256 KB are only checked for refusal.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/bmp.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

int32_t Read32(const uint8_t* at)
{
    return static_cast<int32_t>(static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                                static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24);
}

uint32_t FieldAt(const std::vector<uint8_t>& file, size_t at)
{
    return static_cast<uint32_t>(Read32(file.data() + at));
}

constexpr unsigned __int128 kLargestChecked = 256u * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    const int32_t width = Read32(data);
    const int32_t height = Read32(data + 4);
    const uint8_t* pixels = data + 8;
    const size_t pixelBytes = size - 8;

    const unsigned __int128 stride = width > 0 ? (3 * static_cast<unsigned __int128>(width) + 3) / 4 * 4 : 0;
    if (width > 0)
        FUZZ_CHECK(BmpStride(width) == static_cast<size_t>(stride));
    const unsigned __int128 fileSize = kBmpHeaderSize + stride * static_cast<unsigned __int128>(height > 0 ? height : 0);
    if (width <= 0 || height <= 0 || fileSize > UINT32_MAX) {
        // Refused before the rows are touched: no rows are given at all.
        FUZZ_CHECK(EncodeBmp(nullptr, width, height).empty());
        return 0;
    }
    if (fileSize > kLargestChecked)
        return 0;

    // The rows: the input's bytes over and over.
    const size_t sourceSize = 4 * static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> rows(sourceSize);
    for (size_t i = 0; i < sourceSize; ++i)
        rows[i] = pixelBytes ? pixels[i % pixelBytes] : static_cast<uint8_t>(i);
    const std::vector<uint8_t> file = EncodeBmp(rows.data(), width, height);
    FUZZ_CHECK(file.size() == static_cast<size_t>(fileSize));
    FUZZ_CHECK(file[0] == 'B' && file[1] == 'M');
    FUZZ_CHECK(FieldAt(file, 2) == file.size());
    FUZZ_CHECK(FieldAt(file, 10) == kBmpHeaderSize);
    FUZZ_CHECK(FieldAt(file, 18) == static_cast<uint32_t>(width));
    FUZZ_CHECK(FieldAt(file, 22) == static_cast<uint32_t>(height));
    // The first stored row is the picture's bottom row, blue green red.
    const uint8_t* bottom = rows.data() + 4 * static_cast<size_t>(width) * static_cast<size_t>(height - 1);
    for (int x = 0; x < width; ++x)
        FUZZ_CHECK(std::memcmp(file.data() + kBmpHeaderSize + 3 * x, bottom + 4 * x, 3) == 0);
    // Filler bytes are zero.
    for (size_t row = 0; row < static_cast<size_t>(height); ++row)
        for (size_t i = 3 * static_cast<size_t>(width); i < static_cast<size_t>(stride); ++i)
            FUZZ_CHECK(file[kBmpHeaderSize + row * static_cast<size_t>(stride) + i] == 0);
    return 0;
}
