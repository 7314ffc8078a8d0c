// The BMP encoder: a picture given as top-down 32-bit pixels becomes the
// bytes of an uncompressed 24-bit Windows bitmap file, written atomically.
// A reader that can give 24-bit bottom-up rows fills a blank file instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/atomic_file.h"

// The two headers before the pixel rows: 14 bytes of file header, 40 of info.
constexpr size_t kBmpHeaderSize = 54;

// Bytes per stored row: 3 x width rounded up to a multiple of 4.
size_t BmpStride(int width);

// A width x height file with both headers filled in and every row byte
// zero, for a reader to fill in place: `height` rows of BmpStride(width)
// bytes from kBmpHeaderSize on, the bottom row first, each pixel blue,
// green, red. Empty when the size is not positive or the file would not fit
// a 32-bit size.
std::vector<uint8_t> BlankBmpFile(int width, int height);

// The whole file for a width x height picture. `bgrxRows` holds `height`
// rows top-down, each `width` pixels of four bytes (blue, green, red,
// unused), as a 32-bit DIB section lays them out. The file stores the rows
// bottom-up as blue, green, red with zero filler up to the stride. Empty
// when the size is not positive or the file would not fit a 32-bit size.
std::vector<uint8_t> EncodeBmp(const uint8_t* bgrxRows, int width, int height);

// Encodes the picture and writes it to `path` atomically: None when the file
// holds it, otherwise why not, with anything already at `path` untouched.
FileError WriteBmpFile(const FileOps& ops, const std::string& path, const uint8_t* bgrxRows, int width, int height);
