// A platform with no screen, as GLFW has its null platform: the core's
// program runs on it unchanged, and every mark it paints, every clear and
// every key sound comes out as one line of text.
#pragma once

#include <iosfwd>

#include "core/platform.h"

// Where the lines go, and the client area a clear blackens.
struct HeadlessScreen {
    std::ostream* out = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
};

HeadlessScreen& TheHeadlessScreen();

// The table: paints, clears and sounds are written out; everything else a
// screen would do is left out.
Platform HeadlessPlatform();

// The output lines of the marks, without their newline.
std::string FormatSegment(const Segment& segment);
std::string FormatBlossom(const Blossom& blossom);
