// Plain value types shared by the drawing core: points, colours, rectangles.
#pragma once

#include <cstdint>

// Client-area coordinates in pixels, x to the right and y downwards.
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
};

// Left, top, right, bottom, as the platform's bounding rectangles.
struct Box {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const Box& a, const Box& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

// A 24-bit colour laid out as the platform's COLORREF: 0x00BBGGRR.
using Colour = uint32_t;

constexpr Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour colour) { return static_cast<int>(colour & 0xFF); }
constexpr int GreenOf(Colour colour) { return static_cast<int>((colour >> 8) & 0xFF); }
constexpr int BlueOf(Colour colour) { return static_cast<int>((colour >> 16) & 0xFF); }

constexpr Colour kBackgroundColour = MakeColour(0, 0, 0);

// Canvas extent fixed at start-up: points are kept inside 0..right, 0..bottom.
struct CanvasBounds {
    int32_t right = 0;
    int32_t bottom = 0;
};
