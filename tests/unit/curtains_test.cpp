// Which rectangles get a curtain, for the desktops parents have: side by
// side, stacked, mirrored, overlapping, a window across two monitors.
#include <gtest/gtest.h>

#include <vector>

#include "core/curtains.h"

namespace {

using Boxes = std::vector<Box>;

std::string Text(const Boxes& boxes)
{
    std::string text;
    for (const Box& b : boxes)
        text += std::to_string(b.left) + "," + std::to_string(b.top) + "-" + std::to_string(b.right) + "," +
                std::to_string(b.bottom) + " ";
    return text;
}

TEST(Curtains, EveryMonitorButTheToysOwnIsCovered)
{
    const Box left{0, 0, 1280, 800};
    const Box right{1280, 0, 2560, 800};
    const Box maximisedLeft{0, 0, 1280, 770};
    struct Case {
        const char* what;
        Boxes monitors;
        Box window;
        Boxes curtains;
    };
    const Case cases[] = {
        {"no monitor reported", {}, maximisedLeft, {}},
        {"one monitor", {left}, maximisedLeft, {}},
        {"the window on the first", {left, right}, maximisedLeft, {right}},
        {"the window on the second", {left, right}, {1280, 0, 2560, 770}, {left}},
        {"across two, more on the second", {left, right}, {1000, 0, 2200, 700}, {left}},
        {"across two, even: the primary is the toy's", {left, right}, {1180, 0, 1380, 700}, {right}},
        {"the window off every monitor", {left, right}, {5000, 0, 5400, 300}, {right}},
        {"the window on the second, listed first", {right, left}, {1290, 10, 1900, 500}, {left}},
        {"stacked, of different sizes", {left, {0, 800, 1920, 1880}}, maximisedLeft, {{0, 800, 1920, 1880}}},
        {"three in a row", {left, right, {2560, 0, 3840, 800}}, maximisedLeft, {right, {2560, 0, 3840, 800}}},
        {"a mirror inside the toy's", {{0, 0, 1920, 1080}, left}, {0, 0, 1920, 1050}, {}},
        {"the toy's inside a larger mirror", {left, {0, 0, 1920, 1080}}, maximisedLeft,
         {{0, 800, 1920, 1080}, {1280, 0, 1920, 800}}},
        {"one inside another that is covered", {left, {1280, 0, 3200, 1080}, {1280, 0, 2560, 800}}, maximisedLeft,
         {{1280, 0, 3200, 1080}}},
        {"two equal other monitors", {left, right, right}, maximisedLeft, {right}},
        {"overlapping the toy's at one side", {left, {1000, 0, 2280, 800}}, maximisedLeft, {{1280, 0, 2280, 800}}},
        {"overlapping the toy's at a corner", {left, {1000, 600, 2000, 1400}}, maximisedLeft,
         {{1000, 800, 2000, 1400}, {1280, 600, 2000, 800}}},
        {"left of and above the primary", {left, {-1280, -800, 0, 0}}, maximisedLeft, {{-1280, -800, 0, 0}}},
        {"an empty monitor is none", {left, {1280, 0, 1280, 800}}, maximisedLeft, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(CurtainsFor(c.monitors, c.window)), Text(c.curtains)) << c.what;
}

}  // namespace
