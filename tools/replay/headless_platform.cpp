// The headless platform's few operations: each writes its line.
#include "tools/replay/headless_platform.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace {

HeadlessScreen g_screen;

std::string HexColour(Colour colour)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return hex;
}

void Write(const std::string& line)
{
    if (g_screen.out)
        *g_screen.out << line << '\n';
}

void PaintSegment(const Segment& segment) { Write(FormatSegment(segment)); }
void PaintBlossom(const Blossom& blossom) { Write(FormatBlossom(blossom)); }

void Clear()
{
    Write("clear " + std::to_string(g_screen.clientWidth) + ' ' + std::to_string(g_screen.clientHeight));
}

void PlaySound(const std::string& soundFile) { Write("sound " + soundFile); }

}  // namespace

HeadlessScreen& TheHeadlessScreen() { return g_screen; }

Platform HeadlessPlatform()
{
    Platform platform;
    platform.paintSegment = PaintSegment;
    platform.paintBlossom = PaintBlossom;
    platform.clearCanvas = Clear;
    platform.playKeySound = PlaySound;
    return platform;
}

std::string FormatSegment(const Segment& segment)
{
    if (segment.dot)
        return "dot " + std::to_string(segment.to.x) + ' ' + std::to_string(segment.to.y) + ' ' +
               std::to_string(segment.width) + ' ' + HexColour(segment.colour) + ' ' + (segment.margin ? '1' : '0');
    return "segment " + std::to_string(segment.from.x) + ' ' + std::to_string(segment.from.y) + ' ' +
           std::to_string(segment.to.x) + ' ' + std::to_string(segment.to.y) + ' ' +
           std::to_string(segment.width) + ' ' + HexColour(segment.colour) + ' ' + (segment.margin ? '1' : '0');
}

std::string FormatBlossom(const Blossom& blossom)
{
    return "stamp " + std::to_string(blossom.centre.x) + ' ' + std::to_string(blossom.centre.y) + ' ' +
           std::to_string(blossom.a) + ' ' + std::to_string(blossom.b) + ' ' + HexColour(blossom.colour) + ' ' +
           (blossom.margin ? '1' : '0');
}
