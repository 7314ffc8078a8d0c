// scrivlet-render.exe W H OUT.ppm < MARKS: paints scrivlet-replay's marks
// with the GDI calls the Windows program makes (wide solid pens, null-pen
// ellipses, pattern fills) on a memory bitmap and writes it, so that the
// native program's cairo pixels can be compared with GDI's.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/render/marks.h"

namespace {

void Line(HDC dc, const Segment& segment, int width, Colour colour)
{
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, segment.from.x, segment.from.y, nullptr);
    LineTo(dc, segment.to.x, segment.to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void BlossomShape(HDC dc, Point centre, int w, int h, Colour colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const Box& box : BlossomEllipses(centre, w, h))
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void Fill(HDC dc, int width, int height)
{
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    PatBlt(dc, 0, 0, width, height, PATCOPY);
    SelectObject(dc, old);
}

}  // namespace

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
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap || !bits) {
        std::cerr << "scrivlet-render: cannot make a " << width << "x" << height << " bitmap\n";
        return 1;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    Fill(dc, width, height);
    std::string line;
    while (std::getline(std::cin, line)) {
        const Mark mark = ParseMark(line);
        if (mark.kind == MarkKind::Segment) {
            if (mark.segment.margin)
                Line(dc, mark.segment, kMarginPenWidth, kBackgroundColour);
            Line(dc, mark.segment, mark.segment.width, mark.segment.colour);
        } else if (mark.kind == MarkKind::Stamp) {
            const Blossom& b = mark.blossom;
            if (b.margin)
                BlossomShape(dc, b.centre, MarginSize(b.a), MarginSize(b.b), kBackgroundColour);
            BlossomShape(dc, b.centre, b.a, b.b, b.colour);
        } else if (mark.kind == MarkKind::Clear) {
            Fill(dc, mark.clearWidth, mark.clearHeight);
        }
    }
    GdiFlush();
    const auto* pixels = static_cast<const unsigned char*>(bits);
    const std::string ppm = EncodePpm(width, height, [&](int x, int y) {
        const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
        return static_cast<unsigned>(p[2]) << 16 | static_cast<unsigned>(p[1]) << 8 | p[0];
    });
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    std::ofstream out(arguments->output, std::ios::binary);
    out << ppm;
    return out.flush() ? 0 : 1;
}
