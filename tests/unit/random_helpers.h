// Test helpers: find a point in the random sequence whose next draws have
// the values a test needs, so edge cases are reached without touching the
// generator itself.
#pragma once

#include <functional>
#include <stdexcept>

#include "core/random.h"

// Walks the sequence from the start until `wanted` holds for a copy of the
// source; returns the source at that point.
inline RandomSource FindRandomState(const std::function<bool(RandomSource)>& wanted)
{
    RandomSource random;
    for (int step = 0; step < 10000000; ++step) {
        if (wanted(random))
            return random;
        RandomNext(random);
    }
    throw std::runtime_error("no such point in the random sequence");
}

// How many draws `action` takes from a source.
inline int CountDraws(RandomSource before, RandomSource after)
{
    for (int draws = 0; draws < 1000; ++draws) {
        if (before.state == after.state)
            return draws;
        RandomNext(before);
    }
    return -1;
}
