// Geometry and colour of key stamps.
#include "core/stamp.h"

Blossom Stamp(RandomSource& random, const OptionsRecord& options, Point centre)
{
    Blossom blossom;
    blossom.centre = centre;
    blossom.a = RandomScaled(random, kStampSizeRange) + kStampMinSize;
    blossom.b = RandomScaled(random, kStampSizeRange) + kStampMinSize;
    const int blue = RandomScaled(random, 255);
    const int green = RandomScaled(random, 255);
    const int red = RandomScaled(random, 255);
    blossom.colour = MakeColour(red, green, blue);
    blossom.margin = FlagOn(options.drawWithBlackMargins);
    return blossom;
}

Blossom StampAtRandom(RandomSource& random, const OptionsRecord& options, int clientRight, int clientBottom)
{
    Point centre;
    centre.x = RandomScaled(random, clientRight);
    centre.y = RandomScaled(random, clientBottom);
    return Stamp(random, options, centre);
}

std::array<Box, 2> BlossomEllipses(Point centre, int w, int h)
{
    const int hw = w / 2;
    const int hh = h / 2;
    return {Box{centre.x - hw, centre.y - hh, centre.x + hw, centre.y + hh},
            Box{centre.x - hh, centre.y - hw, centre.x + hh, centre.y + hw}};
}

std::array<Box, 2> OuterBlossomEllipses(const Blossom& blossom)
{
    if (blossom.margin)
        return BlossomEllipses(blossom.centre, MarginSize(blossom.a), MarginSize(blossom.b));
    return BlossomEllipses(blossom.centre, blossom.a, blossom.b);
}
