// scrivlet-ellipse-table OUT: writes the rows of every ellipse a blossom can
// have, its own two and its black copy's, each found with one cairo fill, to
// the file the native program reads beside itself, so that no key waits for
// cairo to flatten and scan-convert an ellipse.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <utility>
#include <vector>

#include "gtk/ellipse_rows_gtk.h"
#include "core/stamp.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: scrivlet-ellipse-table OUT\n";
        return 2;
    }
    // Every size: a and b from the smallest stamp to the largest.
    std::set<std::pair<int, int>> sizes;
    for (int a = kStampMinSize; a <= kStampMinSize + kStampSizeRange; ++a) {
        for (int b = kStampMinSize; b <= kStampMinSize + kStampSizeRange; ++b) {
            for (const auto& [w, h] : {std::pair{a, b}, std::pair{MarginSize(a), MarginSize(b)}}) {
                for (const Box& box : BlossomEllipses(Point{0, 0}, w, h))
                    sizes.emplace(box.right - box.left, box.bottom - box.top);
            }
        }
    }
    // Little-endian: the count, then width, height (16 bits each) and the
    // offset of its rows (32 bits) for each size by width then height, then
    // the rows, a byte for each column number.
    std::vector<uint8_t> index;
    std::vector<uint8_t> rows;
    auto put = [&index](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            index.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(static_cast<uint32_t>(sizes.size()), 4);
    for (const auto& [width, height] : sizes) {
        if (width <= 0 || height <= 0 || width > 255 || height > 0xFFFF) {
            std::cerr << "scrivlet-ellipse-table: an ellipse of " << width << "x" << height
                      << " does not fit a byte a column\n";
            return 1;
        }
        put(static_cast<uint32_t>(width), 2);
        put(static_cast<uint32_t>(height), 2);
        put(static_cast<uint32_t>(rows.size()), 4);
        for (uint16_t column : CairoEllipseRows(width, height))
            rows.push_back(static_cast<uint8_t>(column));
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(index.data()), static_cast<std::streamsize>(index.size()));
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    if (!out.flush()) {
        std::cerr << "scrivlet-ellipse-table: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
