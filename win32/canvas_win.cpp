// GDI side of the canvas: creation, repaint, clear, and painting the marks
// that the core decides, with one pen or brush alive per kind of mark.
#include "win32/shell_win.h"

namespace w32 {

namespace {

Canvas& TheCanvas() { return TheShell().canvas; }

// Selects `tool` into both surfaces and returns what it displaced in the
// memory surface, which is put back when the tool is released.
HGDIOBJ SelectIntoBoth(HGDIOBJ tool)
{
    SelectObject(TheCanvas().windowSurface, tool);
    return SelectObject(TheCanvas().memorySurface, tool);
}

template <typename Handle>
void ReleaseTool(Handle& tool, HGDIOBJ& displaced)
{
    if (!tool)
        return;
    SelectIntoBoth(displaced);
    DeleteObject(tool);
    tool = nullptr;
    displaced = nullptr;
}

void LineOnBoth(Point from, Point to)
{
    for (HDC surface : {TheCanvas().windowSurface, TheCanvas().memorySurface}) {
        MoveToEx(surface, from.x, from.y, nullptr);
        LineTo(surface, to.x, to.y);
    }
}

void BlossomOnBoth(Point centre, int w, int h)
{
    for (HDC surface : {TheCanvas().windowSurface, TheCanvas().memorySurface}) {
        for (const Box& box : BlossomEllipses(centre, w, h))
            Ellipse(surface, box.left, box.top, box.right, box.bottom);
    }
}

void FillBlack(HDC target, int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    HGDIOBJ old = SelectObject(target, TheCanvas().backgroundBrush);
    PatBlt(target, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(target, old);
}

}  // namespace

void CreateCanvas(HWND window)
{
    Canvas& canvas = TheCanvas();
    canvas.windowSurface = GetDC(window);
    canvas.memorySurface = CreateCompatibleDC(nullptr);
    RECT client{};
    GetClientRect(window, &client);
    canvas.bitmap = CreateCompatibleBitmap(canvas.windowSurface, client.right, client.bottom);
    canvas.displacedBitmap = SelectObject(canvas.memorySurface, canvas.bitmap);
    canvas.marginPen = CreatePen(PS_SOLID, kMarginPenWidth, kBackgroundColour);
    canvas.nullPen = CreatePen(PS_NULL, 1, 0);
    canvas.backgroundBrush = CreateSolidBrush(kBackgroundColour);
    // A compatible bitmap's first contents are not promised: make it black.
    FillBlack(canvas.memorySurface, 0, 0, client.right, client.bottom);
    canvas.bounds = CanvasBounds{client.right, client.bottom};
}

void RepaintFromCanvas(HDC target, const RECT& rect)
{
    const Canvas& canvas = TheCanvas();
    const LONG right = rect.right < canvas.bounds.right ? rect.right : canvas.bounds.right;
    const LONG bottom = rect.bottom < canvas.bounds.bottom ? rect.bottom : canvas.bounds.bottom;
    if (right > rect.left && bottom > rect.top)
        BitBlt(target, rect.left, rect.top, right - rect.left, bottom - rect.top, canvas.memorySurface, rect.left,
               rect.top, SRCCOPY);
    // The window may have grown past the canvas: show black there, not garbage.
    FillBlack(target, right > rect.left ? right : rect.left, rect.top, rect.right, rect.bottom);
    FillBlack(target, rect.left, bottom > rect.top ? bottom : rect.top, right > rect.left ? right : rect.left,
              rect.bottom);
}

void ClearCanvas()
{
    RECT client{};
    GetClientRect(TheShell().window, &client);
    for (HDC surface : {TheCanvas().windowSurface, TheCanvas().memorySurface}) {
        SelectObject(surface, TheCanvas().backgroundBrush);
        PatBlt(surface, 0, 0, client.right, client.bottom, PATCOPY);
    }
}

void ReleaseWindowSurface()
{
    if (TheCanvas().windowSurface)
        ReleaseDC(TheShell().window, TheCanvas().windowSurface);
    TheCanvas().windowSurface = nullptr;
}

void PaintSegment(const Segment& segment)
{
    Canvas& canvas = TheCanvas();
    ReleaseTool(canvas.segmentPen, canvas.segmentPenDisplaced);
    if (segment.margin) {
        SelectIntoBoth(canvas.marginPen);
        LineOnBoth(segment.from, segment.to);
    }
    canvas.segmentPen = CreatePen(PS_SOLID, segment.width, segment.colour);
    canvas.segmentPenDisplaced = SelectIntoBoth(canvas.segmentPen);
    LineOnBoth(segment.from, segment.to);
}

void PaintBlossom(const Blossom& blossom)
{
    Canvas& canvas = TheCanvas();
    ReleaseTool(canvas.stampBrush, canvas.stampBrushDisplaced);
    SelectIntoBoth(canvas.nullPen);
    if (blossom.margin) {
        SelectIntoBoth(canvas.backgroundBrush);
        BlossomOnBoth(blossom.centre, MarginSize(blossom.a), MarginSize(blossom.b));
    }
    canvas.stampBrush = CreateSolidBrush(blossom.colour);
    canvas.stampBrushDisplaced = SelectIntoBoth(canvas.stampBrush);
    BlossomOnBoth(blossom.centre, blossom.a, blossom.b);
}

}  // namespace w32
