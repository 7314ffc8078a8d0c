// The linear congruential generator behind every random choice.
#include "core/random.h"

int RandomNext(RandomSource& random)
{
    random.state = random.state * 214013u + 2531011u;
    return static_cast<int>((random.state >> 16) & 0x7FFFu);
}

int RandomScaled(RandomSource& random, int n)
{
    // The product is taken in 64 bits so that no n the program can pass
    // (client sizes, step lengths) overflows; C++ division truncates toward zero.
    const int64_t product = static_cast<int64_t>(n) * RandomNext(random);
    return static_cast<int>(product / 32767);
}
