// The BMP encoder: a picture given as top-down 32-bit pixels becomes the
// bytes of an uncompressed 24-bit Windows bitmap file, written atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/atomic_file.h"

// The two headers before the pixel rows: 14 bytes of file header, 40 of info.
constexpr size_t kBmpHeaderSize = 54;

// Bytes per stored row: 3 x width rounded up to a multiple of 4.
size_t BmpStride(int width);

// The whole file for a width x height picture. `bgrxRows` holds `height`
// rows top-down, each `width` pixels of four bytes (blue, green, red,
// unused), as a 32-bit DIB section lays them out. The file stores the rows
// bottom-up as blue, green, red with zero filler up to the stride. Empty
// when the size is not positive or the file would not fit a 32-bit size.
std::vector<uint8_t> EncodeBmp(const uint8_t* bgrxRows, int width, int height);

// Encodes the picture and writes it to `path` atomically: None when the file
// holds it, otherwise why not, with anything already at `path` untouched.
FileError WriteBmpFile(const std::string& path, const uint8_t* bgrxRows, int width, int height);
