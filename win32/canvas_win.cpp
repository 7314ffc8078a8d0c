// GDI side of the canvas: creation, repaint, clear, and painting the marks
// that the core decides, with one pen or brush alive per kind of mark.
#include "win32/canvas_win.h"

namespace {

Canvas g_canvas;

void SelectIntoBoth(HGDIOBJ tool)
{
    SelectObject(g_canvas.windowSurface, tool);
    SelectObject(g_canvas.memorySurface, tool);
}

// Selects `tool` into both surfaces and returns what it displaced in the
// memory surface, which is put back when the tool is released.
HGDIOBJ SelectTool(HGDIOBJ tool)
{
    SelectObject(g_canvas.windowSurface, tool);
    return SelectObject(g_canvas.memorySurface, tool);
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
    for (HDC surface : {g_canvas.windowSurface, g_canvas.memorySurface}) {
        MoveToEx(surface, from.x, from.y, nullptr);
        LineTo(surface, to.x, to.y);
    }
}

void BlossomOn(HDC surface, Point centre, int w, int h)
{
    for (const Box& box : BlossomEllipses(centre, w, h))
        Ellipse(surface, box.left, box.top, box.right, box.bottom);
}

void BlossomOnBoth(Point centre, int w, int h)
{
    BlossomOn(g_canvas.windowSurface, centre, w, h);
    BlossomOn(g_canvas.memorySurface, centre, w, h);
}

void FillBlack(HDC target, int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    HGDIOBJ old = SelectObject(target, g_canvas.backgroundBrush);
    PatBlt(target, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(target, old);
}

}  // namespace

Canvas& TheCanvas() { return g_canvas; }

void CreateCanvas(HWND window)
{
    g_canvas.windowSurface = GetDC(window);
    g_canvas.memorySurface = CreateCompatibleDC(nullptr);
    RECT client{};
    GetClientRect(window, &client);
    g_canvas.bitmap = CreateCompatibleBitmap(g_canvas.windowSurface, client.right, client.bottom);
    g_canvas.displacedBitmap = SelectObject(g_canvas.memorySurface, g_canvas.bitmap);
    g_canvas.marginPen = CreatePen(PS_SOLID, kMarginPenWidth, kBackgroundColour);
    g_canvas.nullPen = CreatePen(PS_NULL, 1, 0);
    g_canvas.backgroundBrush = CreateSolidBrush(kBackgroundColour);
    // A compatible bitmap's first contents are not promised: make it black.
    FillBlack(g_canvas.memorySurface, 0, 0, client.right, client.bottom);
    g_canvas.bounds = CanvasBounds{client.right, client.bottom};
}

void RepaintFromCanvas(HDC target, const RECT& rect)
{
    const LONG right = rect.right < g_canvas.bounds.right ? rect.right : g_canvas.bounds.right;
    const LONG bottom = rect.bottom < g_canvas.bounds.bottom ? rect.bottom : g_canvas.bounds.bottom;
    if (right > rect.left && bottom > rect.top)
        BitBlt(target, rect.left, rect.top, right - rect.left, bottom - rect.top, g_canvas.memorySurface, rect.left,
               rect.top, SRCCOPY);
    // The window may have grown past the canvas: show black there, not garbage.
    FillBlack(target, right > rect.left ? right : rect.left, rect.top, rect.right, rect.bottom);
    FillBlack(target, rect.left, bottom > rect.top ? bottom : rect.top, right > rect.left ? right : rect.left,
              rect.bottom);
}

void ClearCanvas(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    for (HDC surface : {g_canvas.windowSurface, g_canvas.memorySurface}) {
        SelectObject(surface, g_canvas.backgroundBrush);
        PatBlt(surface, 0, 0, client.right, client.bottom, PATCOPY);
    }
}

void ReleaseWindowSurface(HWND window)
{
    if (g_canvas.windowSurface)
        ReleaseDC(window, g_canvas.windowSurface);
    g_canvas.windowSurface = nullptr;
}

void PaintSegment(const Segment& segment)
{
    ReleaseTool(g_canvas.segmentPen, g_canvas.segmentPenDisplaced);
    if (segment.margin) {
        SelectIntoBoth(g_canvas.marginPen);
        LineOnBoth(segment.from, segment.to);
    }
    g_canvas.segmentPen = CreatePen(PS_SOLID, segment.width, segment.colour);
    g_canvas.segmentPenDisplaced = SelectTool(g_canvas.segmentPen);
    LineOnBoth(segment.from, segment.to);
}

void PaintBlossom(const Blossom& blossom)
{
    ReleaseTool(g_canvas.stampBrush, g_canvas.stampBrushDisplaced);
    SelectIntoBoth(g_canvas.nullPen);
    if (blossom.margin) {
        SelectIntoBoth(g_canvas.backgroundBrush);
        BlossomOnBoth(blossom.centre, MarginSize(blossom.a), MarginSize(blossom.b));
    }
    g_canvas.stampBrush = CreateSolidBrush(blossom.colour);
    g_canvas.stampBrushDisplaced = SelectTool(g_canvas.stampBrush);
    BlossomOnBoth(blossom.centre, blossom.a, blossom.b);
}
