// The marks printed by scrivlet-replay, read back for the two renderers that
// compare cairo's pixels with GDI's: one line is a segment (a finger's dot
// among them), a stamp, a clear or something the renderers skip.
#pragma once

#include <optional>
#include <string>

#include "core/stamp.h"
#include "core/stroke.h"

enum class MarkKind { Skip, Segment, Stamp, Clear, Bad };

struct Mark {
    MarkKind kind = MarkKind::Skip;
    Segment segment;
    Blossom blossom;
    int clearWidth = 0;
    int clearHeight = 0;
};

// Parses one output line of scrivlet-replay ("sound" lines are skipped).
Mark ParseMark(const std::string& line);

// The renderers' command line, WIDTH HEIGHT OUT.ppm. A side is at most
// 8192 pixels, more than any screen has, so that a typing slip cannot ask
// for a canvas of gigabytes.
constexpr int kLargestCanvasSide = 8192;
struct RenderArguments {
    int width = 0;
    int height = 0;
    std::string output;
};
// The arguments, or nothing with `error` saying what is wrong.
std::optional<RenderArguments> ParseRenderArguments(int argc, const char* const* argv, std::string& error);

// A picture of width x height as a binary PPM (P6): `rgb(x, y)` gives each
// pixel as 0x00RRGGBB.
template <typename Pixel>
std::string EncodePpm(int width, int height, Pixel rgb)
{
    std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned value = rgb(x, y);
            ppm += static_cast<char>((value >> 16) & 0xFF);
            ppm += static_cast<char>((value >> 8) & 0xFF);
            ppm += static_cast<char>(value & 0xFF);
        }
    }
    return ppm;
}
