// scrivlet-render W H OUT.ppm < MARKS: paints scrivlet-replay's marks as the
// native program paints them (the cairo canvas) and writes the canvas.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "gtk/shell_gtk.h"

using namespace gtk3;
#include "tools/render/marks.h"

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<RenderArguments> arguments = ParseRenderArguments(argc, argv, error);
    if (!arguments) {
        std::cerr << "scrivlet-render: " << error << "\n";
        return 2;
    }
    const int width = arguments->width;
    const int height = arguments->height;
    if (!CreateCairoCanvas(width, height)) {
        std::cerr << "scrivlet-render: cannot make a " << width << "x" << height << " canvas\n";
        return 1;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        const Mark mark = ParseMark(line);
        if (mark.kind == MarkKind::Segment)
            PaintSegmentOnCanvas(mark.segment);
        else if (mark.kind == MarkKind::Stamp)
            PaintBlossomOnCanvas(mark.blossom);
        else if (mark.kind == MarkKind::Clear)
            ClearCairoCanvas(mark.clearWidth, mark.clearHeight);
    }
    cairo_surface_t* surface = TheShell().canvas.surface;
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::string ppm = EncodePpm(width, height, [&](int x, int y) {
        const unsigned char* p = data + y * stride + x * 4;
        return static_cast<unsigned>(p[2]) << 16 | static_cast<unsigned>(p[1]) << 8 | p[0];
    });
    std::ofstream out(arguments->output, std::ios::binary);
    out << ppm;
    if (!out.flush()) {
        std::cerr << "scrivlet-render: cannot write " << arguments->output << "\n";
        return 1;
    }
    return 0;
}
