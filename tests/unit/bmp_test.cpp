// The BMP encoder: header fields, stride and filler, bottom-up rows, sizes it
// refuses, and a file read back by ImageMagick, an independent reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/bmp.h"
#include "gtk/file_ops_posix.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// A picture whose every pixel differs from its neighbours in each channel,
// top-down as blue, green, red, unused; the unused byte is never zero.
std::vector<uint8_t> Pattern(int width, int height)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(static_cast<uint8_t>(x * 7 + y * 13));       // blue
            pixels.push_back(static_cast<uint8_t>(x * 3 + y * 29 + 1));   // green
            pixels.push_back(static_cast<uint8_t>(200 - x * 11 - y * 5)); // red
            pixels.push_back(0xEE);
        }
    }
    return pixels;
}

}  // namespace

struct BmpShape {
    int width;
    int height;
    size_t stride;
};

class BmpShapes : public ::testing::TestWithParam<BmpShape> {};

TEST_P(BmpShapes, HeadersThenBottomUpRowsWithZeroFiller)
{
    const BmpShape shape = GetParam();
    const std::vector<uint8_t> pixels = Pattern(shape.width, shape.height);
    const std::vector<uint8_t> file = EncodeBmp(pixels.data(), shape.width, shape.height);

    EXPECT_EQ(BmpStride(shape.width), shape.stride);
    const size_t size = 54 + shape.stride * shape.height;
    ASSERT_EQ(file.size(), size);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Read32(file, 2), size);
    EXPECT_EQ(Read32(file, 6), 0u) << "reserved";
    EXPECT_EQ(Read32(file, 10), 54u) << "pixel data offset";
    EXPECT_EQ(Read32(file, 14), 40u) << "info header size";
    EXPECT_EQ(Read32(file, 18), static_cast<uint32_t>(shape.width));
    EXPECT_EQ(Read32(file, 22), static_cast<uint32_t>(shape.height)) << "positive: bottom-up";
    EXPECT_EQ(Read16(file, 26), 1) << "planes";
    EXPECT_EQ(Read16(file, 28), 24) << "bits per pixel";
    for (size_t at = 30; at < 54; at += 4)
        EXPECT_EQ(Read32(file, at), 0u) << "compression, image size, resolution, colours at " << at;

    for (int row = 0; row < shape.height; ++row) {
        const int y = shape.height - 1 - row;
        const size_t start = 54 + shape.stride * row;
        for (int x = 0; x < shape.width; ++x) {
            for (int channel = 0; channel < 3; ++channel)
                ASSERT_EQ(file[start + 3 * x + channel], pixels[4 * (y * shape.width + x) + channel])
                    << "pixel (" << x << ", " << y << ") channel " << channel;
        }
        for (size_t filler = 3 * shape.width; filler < shape.stride; ++filler)
            ASSERT_EQ(file[start + filler], 0) << "filler byte " << filler << " of row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, BmpShapes,
                         ::testing::Values(BmpShape{10, 3, 32},  // 30 bytes and two filler bytes
                                           BmpShape{8, 3, 24},   // no filler
                                           BmpShape{1, 1, 4}, BmpShape{2, 1, 8}, BmpShape{3, 200, 12},
                                           BmpShape{1279, 2, 3840}),
                         [](const ::testing::TestParamInfo<BmpShape>& info) {
                             return "Width" + std::to_string(info.param.width);
                         });

TEST(Bmp, OnePixelFileByteForByte)
{
    const uint8_t pixel[] = {0x11, 0x22, 0x33, 0xFF};
    const std::vector<uint8_t> expected = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                  // file header
        40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,              // size, width, height, planes, bits
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // the rest is zero
        0x11, 0x22, 0x33, 0};                                           // blue, green, red, filler
    EXPECT_EQ(EncodeBmp(pixel, 1, 1), expected);
}

TEST(Bmp, RefusesSizesThatCannotBeStored)
{
    const uint8_t pixel[4] = {};
    EXPECT_TRUE(EncodeBmp(pixel, 0, 1).empty());
    EXPECT_TRUE(EncodeBmp(pixel, 1, 0).empty());
    EXPECT_TRUE(EncodeBmp(pixel, -1, 1).empty());
    EXPECT_TRUE(EncodeBmp(pixel, 1, -1).empty());
    // 65536 x 65536 would need a file over 4 GiB: refused before any pixel
    // is read, and nothing is written.
    EXPECT_TRUE(EncodeBmp(pixel, 65536, 65536).empty());
    EXPECT_EQ(WriteBmpFile(PosixFileOps(), "/nonexistent/picture.bmp", pixel, 0, 1), FileError::Other);
}

TEST(Bmp, ImageMagickReadsTheSamePixelsTheRightWayUp)
{
    const int width = 10;
    const int height = 7;
    const std::vector<uint8_t> pixels = Pattern(width, height);
    char folder[] = "/tmp/scrivlet-bmp.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/picture.bmp";
    ASSERT_EQ(WriteBmpFile(PosixFileOps(), path, pixels.data(), width, height), FileError::None);

    // ImageMagick prints the rows top-down as red, green, blue.
    const std::string command = "convert 'BMP:" + path + "' -depth 8 RGB:- 2>&1";
    FILE* reader = popen(command.c_str(), "r");
    ASSERT_NE(reader, nullptr);
    std::vector<uint8_t> read;
    for (int c; (c = std::fgetc(reader)) != EOF;)
        read.push_back(static_cast<uint8_t>(c));
    const int status = pclose(reader);
    std::remove(path.c_str());
    rmdir(folder);
    ASSERT_EQ(status, 0) << "convert failed (tools/install-deps.sh installs imagemagick): "
                         << std::string(read.begin(), read.end());

    std::vector<uint8_t> expected;
    for (size_t at = 0; at < pixels.size(); at += 4)
        expected.insert(expected.end(), {pixels[at + 2], pixels[at + 1], pixels[at]});
    EXPECT_EQ(read, expected);
}
