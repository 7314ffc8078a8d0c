// The program's one pseudo-random source: a 15-bit linear congruential
// generator that starts at 1 and is never reseeded, so every session can be
// replayed exactly from its events.
#pragma once

#include <cstdint>

struct RandomSource {
    uint32_t state = 1;
};

// The next raw draw, 0..32767.
int RandomNext(RandomSource& random);

// (n * r) / 32767 for the next draw r, truncated toward zero:
// 0..n for n >= 0 and n..0 for n < 0.
int RandomScaled(RandomSource& random, int n);
