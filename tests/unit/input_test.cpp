// Decoding of window-message input: pointer positions and menu letters.
#include <gtest/gtest.h>

#include "app/menu_keys.h"
#include "draw/toy.h"

TEST(PointerDecoding, PositionsRoundTripThroughTheMessagePacking)
{
    for (Point p : {Point{0, 0}, Point{1279, 761}, Point{32767, 32767}, Point{5, 40000 - 32768}}) {
        const std::optional<Point> decoded = DecodePointerPosition(PackPointerPosition(p.x, p.y));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, p);
    }
}

TEST(PointerDecoding, ANegativeCoordinateIsOutside)
{
    EXPECT_FALSE(DecodePointerPosition(PackPointerPosition(-1, 10)));
    EXPECT_FALSE(DecodePointerPosition(PackPointerPosition(10, -1)));
    EXPECT_FALSE(DecodePointerPosition(PackPointerPosition(-32768, -32768)));
    EXPECT_FALSE(DecodePointerPosition(0x8000u));  // x = 32768 as sent
}

TEST(PointerDecoding, AMoveOutsideLeftOrTopLiftsThePenAndDrawsNothing)
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    ASSERT_TRUE(OnPointerMove(toy, PackPointerPosition(50, 50)));
    const RandomSource before = toy.random;
    EXPECT_FALSE(OnPointerMove(toy, PackPointerPosition(-3, 50)));
    EXPECT_TRUE(toy.pen.newStroke);
    EXPECT_EQ(toy.random.state, before.state);
    EXPECT_EQ(toy.pen.lastPoint, (Point{50, 50}));

    // Re-entering starts a new stroke where the pointer comes back.
    const std::optional<Segment> back = OnPointerMove(toy, PackPointerPosition(0, 70));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->from, (Point{0, 70}));
}

TEST(PointerDecoding, PositionsRightOfOrBelowTheWindowStillDraw)
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    OnPointerMove(toy, PackPointerPosition(1000, 700));
    const std::optional<Segment> outside = OnPointerMove(toy, PackPointerPosition(3000, 2000));
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->to, (Point{3000, 2000}));
}

TEST(MenuLetters, TypedLetterPicksThePopupByItsFirstLetter)
{
    const std::vector<std::string> titles = {"File", "Edit", "Help"};
    EXPECT_EQ(PopupForLetter('f', titles), 0);
    EXPECT_EQ(PopupForLetter('F', titles), 0);
    EXPECT_EQ(PopupForLetter('e', titles), 1);
    EXPECT_EQ(PopupForLetter('H', titles), 2);
    EXPECT_EQ(PopupForLetter('x', titles), -1);
    EXPECT_EQ(PopupForLetter(0, titles), -1);
    EXPECT_EQ(PopupForLetter(0x10F, titles), -1);
    EXPECT_EQ(PopupForLetter('f', {"", "file"}), 1);
    EXPECT_EQ(PopupForLetter('f', {}), -1);
}
