// Input in the core's terms: pointer positions and menu letters.
#include <gtest/gtest.h>

#include "core/menu_keys.h"
#include "core/toy.h"

TEST(PointerDecoding, AMoveOutsideLeftOrTopLiftsThePenAndDrawsNothing)
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    ASSERT_TRUE(OnPointerMove(toy, Point{50, 50}));
    const RandomSource before = toy.random;
    EXPECT_FALSE(OnPointerMove(toy, Point{-3, 50}));
    EXPECT_TRUE(toy.pen.newStroke);
    EXPECT_EQ(toy.random.state, before.state);
    EXPECT_EQ(toy.pen.lastPoint, (Point{50, 50}));

    // Re-entering starts a new stroke where the pointer comes back.
    const std::optional<Segment> back = OnPointerMove(toy, Point{0, 70});
    ASSERT_TRUE(back);
    EXPECT_EQ(back->from, (Point{0, 70}));
}

TEST(PointerDecoding, PositionsRightOfOrBelowTheWindowStillDraw)
{
    Toy toy;
    ResetOptionsToDefaults(toy.options);
    OnPointerMove(toy, Point{1000, 700});
    const std::optional<Segment> outside = OnPointerMove(toy, Point{3000, 2000});
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->to, (Point{3000, 2000}));
}

// A title opens by its '&' letter, else by its first letter, in any case and
// script a catalogue writes it: the letter a typed key gives is a code point.
TEST(MenuLetters, TypedLetterPicksThePopupByItsMnemonicOrFirstLetter)
{
    const std::vector<std::string> english = {"File", "Edit", "Help"};
    const std::vector<std::string> russian = {"&\u0424\u0430\u0439\u043b", "&\u041f\u0440\u0430\u0432\u043a\u0430",
                                              "&\u0421\u043f\u0440\u0430\u0432\u043a\u0430"};
    const std::vector<std::string> japanese = {"\u30d5\u30a1\u30a4\u30eb(&F)", "\u7de8\u96c6(&E)",
                                               "\u30d8\u30eb\u30d7(&H)"};
    const std::vector<std::string> polish = {"&Plik", "&Edycja", "Pomo&c"};
    const std::vector<std::string> accented = {"\u00dcber", "\u0141\u00f3d\u017a", "\u00c9t\u00e9", "e"};
    struct Case {
        const std::vector<std::string>* titles;
        int typed;
        int expected;
    } cases[] = {
        {&english, 'f', 0}, {&english, 'F', 0}, {&english, 'e', 1}, {&english, 'H', 2}, {&english, 'x', -1},
        {&english, 0, -1}, {&english, 0x10F, -1}, {&english, -5, -1}, {&english, 0x110000, -1},
        {&russian, 0x424, 0}, {&russian, 0x444, 0}, {&russian, 0x421, 2}, {&russian, 'f', -1},
        {&japanese, 'f', 0}, {&japanese, 'H', 2}, {&japanese, 0x30d5, -1},
        // Pomoc would share Plik's P: its own letter is the last one.
        {&polish, 'p', 0}, {&polish, 'C', 2},
        {&accented, 0xFC, 0}, {&accented, 0xDC, 0}, {&accented, 0x142, 1}, {&accented, 0x141, 1},
        {&accented, 0xC9, 2}, {&accented, 0xE9, 2}, {&accented, 'u', -1}, {&accented, 'E', 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(PopupForLetter(c.typed, *c.titles), c.expected);
    }
    EXPECT_EQ(PopupForLetter('f', {"", "file"}), 1);
    EXPECT_EQ(PopupForLetter('f', {}), -1);
}

TEST(MenuLetters, TypedLetterPicksAPopupItemByMnemonicOrFirstLetter)
{
    const std::vector<std::string> help = {"About", "Contents"};
    const std::vector<std::string> file = {"&Save as BMP", "", "&Options", "", "E&xit"};
    struct Case {
        const std::vector<std::string>* texts;
        int typed;
        int expected;
    } cases[] = {
        {&help, 'a', 0}, {&help, 'A', 0}, {&help, 'c', 1}, {&help, 'C', 1}, {&help, 'h', -1},
        {&help, 0, -1},  {&help, 0x161, -1},
        {&file, 's', 0}, {&file, 'O', 2}, {&file, 'x', 4}, {&file, 'X', 4},
        // Exit is chosen by its mnemonic only, never by its first letter.
        {&file, 'e', -1}, {&file, 'f', -1}, {&file, ' ', -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(PopupItemForLetter(c.typed, *c.texts), c.expected);
    }
    // "&&" is a literal ampersand, not a mnemonic; a mnemonic beats a first letter.
    EXPECT_EQ(PopupItemForLetter('s', {"Salt && pepper"}), 0);
    EXPECT_EQ(PopupItemForLetter('p', {"Salt && pepper"}), -1);
    EXPECT_EQ(PopupItemForLetter('b', {"Blue", "Red &balloon"}), 1);
    EXPECT_EQ(PopupItemForLetter('a', {}), -1);
}

TEST(MenuLetters, OnlyTheKeyboardMenuCommandWithoutALetterIsSwallowed)
{
    struct Case {
        uintptr_t command;
        intptr_t letter;
        bool swallowed;
    } cases[] = {
        {0xF100, 0, true},     // bare Alt or F10
        {0xF103, 0, true},     // the low four bits belong to the platform
        {0xF100, 'f', false},  // Alt+F opens File
        {0xF100, ' ', false},  // Alt+Space, the window menu
        {0xF060, 0, false},    // close (Alt+F4)
        {0xF120, 0, false},    // restore
        {0xF030, 0, false},    // maximise
        {0xF010, 0, false},    // move
        {0xF140, 0, false},    // screen saver
        {0xF170, 2, false},    // monitor power
        {0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(SwallowSystemCommand(c.command, c.letter), c.swallowed);
    }
}
