// Fingers on a touch screen, as journeys of events: where each mark goes,
// so that no two contacts ever join; and what a mouse message that Windows
// made from a finger becomes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/touch.h"
#include "tools/replay/replay_script.h"

namespace {

// A script's marks with only their kind and place: "dot X Y" and
// "segment X0 Y0 X1 Y1". Widths and colours are the stroke engine's own
// tests' business.
std::vector<std::string> Places(const std::string& script)
{
    std::istringstream in(script);
    std::ostringstream out;
    std::string error;
    EXPECT_EQ(RunScript(in, out, error), ReplayResult::Done) << error;
    std::vector<std::string> places;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        std::string place;
        int keep = line.rfind("dot", 0) == 0 ? 3 : line.rfind("segment", 0) == 0 ? 5 : 0;
        for (int i = 0; i < keep && words >> word; ++i)
            place += (i ? " " : "") + word;
        places.push_back(keep ? place : line);
    }
    return places;
}

using Marks = std::vector<std::string>;

}  // namespace

TEST(Touch, JourneysKeepEveryContactApart)
{
    struct Journey {
        const char* name;
        const char* script;
        Marks marks;
    } journeys[] = {
        {"two taps leave two dots and nothing between them",
         "tdown 1 100 100\ntup 1\ntdown 1 400 100\ntup 1\n",
         {"dot 100 100", "dot 400 100"}},
        {"a finger that never moves still leaves its dot; its moves continue from its own point",
         "tdown 7 10 10\ntmove 7 30 10\ntmove 7 30 40\ntup 7\ntmove 7 90 90\n",
         {"dot 10 10", "segment 10 10 30 10", "segment 30 10 30 40"}},
        {"two fingers at once paint two strokes",
         "tdown 1 100 100\ntdown 2 500 500\ntmove 1 120 100\ntmove 2 520 500\ntmove 1 140 100\ntup 2\ntup 1\n",
         {"dot 100 100", "dot 500 500", "segment 100 100 120 100", "segment 500 500 520 500",
          "segment 120 100 140 100"}},
        {"a finger and the mouse at once: the mouse goes on from where the pointer is next, never from the finger",
         "move 10 10\nmove 20 10\ntdown 3 300 300\nmove 30 10\nmove 40 10\ntmove 3 310 300\ntup 3\nmove 50 10\n",
         {"segment 10 10 10 10", "segment 10 10 20 10", "dot 300 300", "segment 30 10 30 10",
          "segment 30 10 40 10", "segment 300 300 310 300", "segment 50 10 50 10"}},
        {"a move or lift of a finger that is not down draws nothing",
         "tup 9\ntmove 9 50 50\ntdown 9 60 60\ntup 9\ntup 9\ntmove 9 70 70\n",
         {"dot 60 60"}},
        {"a finger reported again where it is paints nothing, not even a dot",
         "tdown 1 100 100\ntdown 2 300 100\ntmove 1 100 100\ntmove 1 101 100\ntmove 2 300 100\n",
         {"dot 100 100", "dot 300 100", "segment 100 100 101 100"}},
        {"a landing of a finger already down lifts it first",
         "tdown 4 10 10\ntdown 4 200 200\ntmove 4 210 200\n",
         {"dot 10 10", "dot 200 200", "segment 200 200 210 200"}},
        {"ids are the 32 bits they are: -1 and 4294967295 are one finger",
         "tdown -1 10 10\ntmove 4294967295 20 10\ntdown 0 50 50\ntmove 0 60 50\n",
         {"dot 10 10", "segment 10 10 20 10", "dot 50 50", "segment 50 50 60 50"}},
        {"fingers paint with every drawing option off, as a held button does",
         "flags 0 0 0 0 0 0\nmove 500 500\ntdown 1 10 10\ntmove 1 20 10\ntup 1\n",
         {"dot 10 10", "segment 10 10 20 10"}},
        {"a finger off the left or top still paints: its path is continuous",
         "tdown 1 5 5\ntmove 1 -20 -20\ntmove 1 5 5\n",
         {"dot 5 5", "segment 5 5 -20 -20", "segment -20 -20 5 5"}},
    };
    for (const Journey& journey : journeys)
        EXPECT_EQ(Places(journey.script), journey.marks) << journey.name;
}

TEST(Touch, TheFingerDownLongestMakesRoomForOneMore)
{
    std::string script;
    for (size_t id = 0; id <= kMostFingers; ++id)
        script += "tdown " + std::to_string(id) + " " + std::to_string(id) + " 0\n";
    script += "tmove 0 0 9\ntmove 1 1 9\n";
    const Marks marks = Places(script);
    ASSERT_EQ(marks.size(), kMostFingers + 2);
    // Finger 0 made room for the last one; finger 1 still paints.
    EXPECT_EQ(marks.back(), "segment 1 0 1 9");
}

TEST(Touch, MouseMessagesMadeFromAFinger)
{
    using M = MouseFromTouch;
    using P = std::optional<TouchPhase>;
    struct Case {
        M message;
        bool fingerDown;
        bool fingersReported;
        P phase;
    } cases[] = {
        {M::LeftDown, false, false, TouchPhase::Down}, {M::LeftDown, true, false, TouchPhase::Down},
        {M::Move, true, false, TouchPhase::Move},      {M::Move, false, false, std::nullopt},
        {M::LeftUp, true, false, TouchPhase::Up},      {M::RightDown, true, false, std::nullopt},
        {M::RightUp, true, false, std::nullopt},       {M::LeftDown, false, true, std::nullopt},
        {M::Move, true, true, std::nullopt},           {M::LeftUp, true, true, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FingerPhaseOf(c.message, c.fingerDown, c.fingersReported), c.phase)
            << static_cast<int>(c.message) << " down " << c.fingerDown << " reported " << c.fingersReported;

    for (uint32_t extra : {0xFF515780u, 0xFF515700u, 0xFF5157FFu})
        EXPECT_TRUE(MadeFromTouch(extra)) << std::hex << extra;
    for (uint32_t extra : {0u, 0xFF515800u, 0x00515780u, 0xFF525780u})
        EXPECT_FALSE(MadeFromTouch(extra)) << std::hex << extra;
}
