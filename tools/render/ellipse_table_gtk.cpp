// scrivlet-ellipse-table OUT.cpp: writes, as C++, the rows of every ellipse
// a blossom can have, its own two and its black copy's, each found with one
// cairo fill; the native program is built with them, so that no key waits
// for cairo to flatten and scan-convert an ellipse.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <utility>

#include "draw/ellipse_rows_gtk.h"
#include "draw/stamp.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: scrivlet-ellipse-table OUT.cpp\n";
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
    std::ostringstream entries;
    std::ostringstream rows;
    size_t offset = 0;
    for (const auto& [width, height] : sizes) {
        if (width <= 0 || height <= 0)
            continue;
        if (width > 255) {
            std::cerr << "scrivlet-ellipse-table: an ellipse " << width << " wide does not fit a byte a column\n";
            return 1;
        }
        entries << "    {" << width << ", " << height << ", " << offset << "},\n";
        for (uint16_t column : CairoEllipseRows(width, height))
            rows << column << ',';
        rows << '\n';
        offset += 2 * static_cast<size_t>(height);
    }
    std::ofstream out(argv[1]);
    out << "// Made by scrivlet-ellipse-table (tools/render/ellipse_table_gtk.cpp) when the\n"
           "// program was built: the rows cairo paints for every ellipse of a blossom.\n"
           "#include <algorithm>\n\n#include \"draw/ellipse_rows_gtk.h\"\n\nnamespace {\n\n"
           "struct Entry {\n    int width;\n    int height;\n    unsigned offset;\n};\n\n"
           "// By width, then height.\nconst Entry kEntries[] = {\n"
        << entries.str() << "};\n\nconst uint8_t kRows[] = {\n" << rows.str()
        << "};\n\n}  // namespace\n\n"
           "const uint8_t* BuiltEllipseRows(int width, int height)\n{\n"
           "    const Entry* end = kEntries + sizeof kEntries / sizeof kEntries[0];\n"
           "    const Entry* found = std::lower_bound(kEntries, end, Entry{width, height, 0}, [](const Entry& a, const Entry& b) {\n"
           "        return a.width != b.width ? a.width < b.width : a.height < b.height;\n    });\n"
           "    if (found == end || found->width != width || found->height != height)\n        return nullptr;\n"
           "    return kRows + found->offset;\n}\n";
    if (!out.flush()) {
        std::cerr << "scrivlet-ellipse-table: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
