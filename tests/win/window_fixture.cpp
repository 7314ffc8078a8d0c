// Pixel read-back and the common fixture of the integration tests.
#include "tests/win/window_fixture.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "res/resource.h"

HWND MainWindowUnderTest() { return w32::TheShell().window; }

RECT ClientRect()
{
    RECT client{};
    GetClientRect(MainWindowUnderTest(), &client);
    return client;
}

OptionsRecord AllOptionsOff()
{
    OptionsRecord record;
    std::memset(&record, 0, sizeof record);
    return record;
}

COLORREF Pixels::At(int x, int y) const
{
    const int width = area.right - area.left;
    return colours[static_cast<size_t>(y - area.top) * width + (x - area.left)];
}

int Pixels::Count(COLORREF colour) const
{
    int count = 0;
    for (COLORREF c : colours)
        count += c == colour;
    return count;
}

int Pixels::CountOther(COLORREF colour) const { return static_cast<int>(colours.size()) - Count(colour); }

Pixels Grab(HDC surface, const RECT& area)
{
    Pixels pixels;
    pixels.area = area;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = CreateCompatibleDC(nullptr);
    HGDIOBJ displaced = SelectObject(copy, dib);
    BitBlt(copy, 0, 0, width, height, surface, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* rows = static_cast<const uint32_t*>(bits);
    pixels.colours.reserve(static_cast<size_t>(width) * height);
    for (int i = 0; i < width * height; ++i) {
        // The DIB holds 0x00RRGGBB; turn it into the 0x00BBGGRR of COLORREF.
        const uint32_t value = rows[i];
        pixels.colours.push_back(RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF));
    }
    SelectObject(copy, displaced);
    DeleteDC(copy);
    DeleteObject(dib);
    return pixels;
}

Pixels GrabCanvas(const RECT& area) { return Grab(w32::TheShell().canvas.memorySurface, area); }

Pixels GrabWindow(const RECT& area)
{
    HDC surface = GetDC(MainWindowUnderTest());
    Pixels pixels = Grab(surface, area);
    ReleaseDC(MainWindowUnderTest(), surface);
    return pixels;
}

int CountDifferent(const Pixels& a, const Pixels& b)
{
    if (a.colours.size() != b.colours.size())
        return -1;
    int count = 0;
    for (size_t i = 0; i < a.colours.size(); ++i)
        count += a.colours[i] != b.colours[i];
    return count;
}

COLORREF CanvasPixel(int x, int y) { return GetPixel(w32::TheShell().canvas.memorySurface, x, y); }

COLORREF WindowPixel(int x, int y)
{
    HDC surface = GetDC(MainWindowUnderTest());
    const COLORREF colour = GetPixel(surface, x, y);
    ReleaseDC(MainWindowUnderTest(), surface);
    return colour;
}

void PaintBothSurfaces(const RECT& area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HDC window = GetDC(MainWindowUnderTest());
    FillRect(window, &area, brush);
    ReleaseDC(MainWindowUnderTest(), window);
    FillRect(w32::TheShell().canvas.memorySurface, &area, brush);
    DeleteObject(brush);
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(MainWindowUnderTest(), message, wParam, lParam);
}

void WindowTest::SetUp()
{
    Toy& live = TheToy();
    live.options = AllOptionsOff();
    live.random = RandomSource{};
    live.pen = PenState{};
    live.walk = WalkState{};
    Send(WM_COMMAND, IDM_CLEAR, 0);
    // The canvas must still be the one made at start-up, at the client size.
    ASSERT_EQ(live.canvas.right, w32::TheShell().canvas.bounds.right);
    ASSERT_EQ(live.canvas.bottom, w32::TheShell().canvas.bounds.bottom);
}

void WindowTest::MovePointer(int x, int y, WPARAM keys)
{
    Send(WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void WindowTest::PressLeft(int x, int y)
{
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void WindowTest::ReleaseLeft(int x, int y) { Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void WindowTest::PressRight(int x, int y)
{
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
}

void WindowTest::ReleaseRight(int x, int y) { Send(WM_RBUTTONUP, 0, MAKELPARAM(x, y)); }

void ExpectSameToy(const Toy& expected, const Toy& actual)
{
    EXPECT_EQ(expected.random.state, actual.random.state);
    EXPECT_EQ(expected.pen.lastPoint.x, actual.pen.lastPoint.x);
    EXPECT_EQ(expected.pen.lastPoint.y, actual.pen.lastPoint.y);
    EXPECT_EQ(expected.pen.newStroke, actual.pen.newStroke);
    EXPECT_EQ(expected.pen.leftButtonDown, actual.pen.leftButtonDown);
    EXPECT_EQ(expected.pen.rightButtonDown, actual.pen.rightButtonDown);
    EXPECT_EQ(expected.pen.lineColour, actual.pen.lineColour);
    EXPECT_EQ(expected.walk.stepX, actual.walk.stepX);
    EXPECT_EQ(expected.walk.stepY, actual.walk.stepY);
}

std::string ColourText(COLORREF colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "rgb(%d,%d,%d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

Point Midpoint(const Segment& segment)
{
    return Point{(segment.from.x + segment.to.x) / 2, (segment.from.y + segment.to.y) / 2};
}
