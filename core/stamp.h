// Key stamps: a blossom of two crossed ellipses of one random colour at a
// random place, optionally over a larger black copy.
#pragma once

#include <array>

#include "core/random.h"
#include "core/types.h"
#include "core/options_record.h"

constexpr int kStampSizeRange = 60;
constexpr int kStampMinSize = 5;

struct Blossom {
    Point centre;
    int a = 0;  // width of the first ellipse, height of the second
    int b = 0;  // height of the first ellipse, width of the second
    Colour colour = kBackgroundColour;
    bool margin = false;
};

// The black copy under a blossom is 5/2 the size in each dimension.
constexpr int MarginSize(int size) { return size * 5 / 2; }

// Decides a blossom centred on `centre`: draws a, b, blue, green, red.
Blossom Stamp(RandomSource& random, const OptionsRecord& options, Point centre);

// A blossom anywhere in 0..clientRight, 0..clientBottom: draws x and y first.
Blossom StampAtRandom(RandomSource& random, const OptionsRecord& options, int clientRight, int clientBottom);

// The two bounding boxes of a w by h blossom at `centre`: the first w wide and
// h high, the second h wide and w high.
std::array<Box, 2> BlossomEllipses(Point centre, int w, int h);

// The boxes of a blossom's outer shape, which cover everything the blossom
// paints: its black copy's when it has one, else its own.
std::array<Box, 2> OuterBlossomEllipses(const Blossom& blossom);
