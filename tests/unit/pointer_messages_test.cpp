// Windows' reports of fingers read as finger phases: every pointer message
// and flag that matters, and the touch message's contact flags and
// coordinates.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "core/pointer_messages.h"

namespace {

using Phase = std::optional<TouchPhase>;
constexpr Phase kNothing = std::nullopt;

}  // namespace

TEST(PointerMessages, PhaseOfEachMessageAndFlag)
{
    using M = PointerMessage;
    // Flags as Windows sets them: new, in range, in contact, primary,
    // confidence (0x4000), cancelled.
    struct Case {
        const char* what;
        M message;
        uint32_t flags;
        Phase phase;
    } cases[] = {
        {"a finger lands", M::Down, 0x6007, TouchPhase::Down},
        {"a landing with no flags is still one", M::Down, 0, TouchPhase::Down},
        {"a finger moves", M::Update, 0x6006, TouchPhase::Move},
        {"in contact alone", M::Update, 0x0004, TouchPhase::Move},
        {"a pen above the screen", M::Update, 0x2002, kNothing},
        {"no flags at all", M::Update, 0, kNothing},
        {"cancelled while in contact", M::Update, 0x8006, TouchPhase::Up},
        {"cancelled out of contact", M::Update, 0x8002, TouchPhase::Up},
        {"a finger lifts", M::Up, 0x6002, TouchPhase::Up},
        {"a cancelled lift", M::Up, 0x8000, TouchPhase::Up},
        {"the capture went elsewhere", M::CaptureChanged, 0x0006, TouchPhase::Up},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointerPhaseOf(c.message, c.flags), c.phase) << c.what;
}

TEST(PointerMessages, TouchInputContacts)
{
    struct Case {
        const char* what;
        uint32_t flags;
        Phase phase;
    } cases[] = {
        {"down, in range, primary", 0x001A, TouchPhase::Down},
        {"move, in range", 0x0009, TouchPhase::Move},
        {"up", 0x0004, TouchPhase::Up},
        {"up and move", 0x0005, TouchPhase::Up},
        {"down and up in one report", 0x0006, TouchPhase::Up},
        {"a palm lands (TWF_WANTPALM)", 0x0082, TouchPhase::Down},
        {"in range only", 0x0008, kNothing},
        {"no flags", 0, kNothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TouchInputPhaseOf(c.flags), c.phase) << c.what;

    struct Pixel {
        int32_t hundredths;
        int32_t pixel;
    } pixels[] = {
        {0, 0}, {99, 0}, {100, 1}, {12345, 123}, {-1, -1}, {-100, -1}, {-101, -2}, {-12345, -124},
        {INT32_MAX, INT32_MAX / 100}, {INT32_MIN, INT32_MIN / 100 - 1},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(TouchInputPixel(p.hundredths), p.pixel) << p.hundredths;
}
