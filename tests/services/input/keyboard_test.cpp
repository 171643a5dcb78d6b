// Key hits and held keys by the event rules, as the game's queries see them.
#include "tests/services/input/input_support.hpp"

namespace {

using KeyboardTest = InputTest;

using platform::EventType;

TEST_F(KeyboardTest, HoldingAKeyCountsOneHit) {
    Push(EventType::KeyDown, KEY_LEFT);
    Push(EventType::KeyDown, KEY_LEFT);  // a second down while held adds nothing
    EXPECT_EQ(KeyHitCount(KEY_LEFT), 1);
    Push(EventType::KeyDown, KEY_LEFT);
    EXPECT_EQ(KeyHitCount(KEY_LEFT), 0);
    EXPECT_TRUE(KeyIsDown(KEY_LEFT));
    Push(EventType::KeyUp, KEY_LEFT);
    EXPECT_FALSE(KeyIsDown(KEY_LEFT));
}

TEST_F(KeyboardTest, TwoPressesBetweenQueriesCountTwo) {
    KeyPress(KEY_LCONTROL);
    KeyPress(KEY_LCONTROL);
    EXPECT_FALSE(KeyIsDown(KEY_LCONTROL));
    EXPECT_EQ(KeyHitCount(KEY_LCONTROL), 2);
    EXPECT_EQ(KeyHitCount(KEY_RCONTROL), 0);
}

TEST_F(KeyboardTest, AskingTwiceGivesTheCountThenZero) {
    KeyPress(KEY_SPACE);
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 1);
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 0);
}

TEST_F(KeyboardTest, PressOnAHeldKeyReleasesItWithoutAHit) {
    Push(EventType::KeyDown, KEY_ESCAPE);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
    KeyPress(KEY_ESCAPE);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    EXPECT_FALSE(KeyIsDown(KEY_ESCAPE));
}

TEST_F(KeyboardTest, FocusLostClearsHeldKeysAndPendingHits) {
    Push(EventType::KeyDown, KEY_RIGHT);
    KeyPress(KEY_SPACE);
    Push(EventType::Char, 'a');
    Push(EventType::FocusLost);
    EXPECT_FALSE(KeyIsDown(KEY_RIGHT));
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 0);
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 0);
    EXPECT_EQ(GetChar(), 0);
    EXPECT_TRUE(InputSuspended());
    // Input while away, then coming back: nothing is pending either.
    Push(EventType::KeyDown, KEY_UP);
    Push(EventType::FocusGained);
    EXPECT_FALSE(InputSuspended());
    EXPECT_EQ(KeyHitCount(KEY_UP), 0);
    EXPECT_FALSE(KeyIsDown(KEY_UP));
    // The key held through the spell is up until pressed again.
    Push(EventType::KeyDown, KEY_RIGHT);
    EXPECT_EQ(KeyHitCount(KEY_RIGHT), 1);
}

TEST_F(KeyboardTest, ClearKeysTakesPendingEventsFirst) {
    KeyPress(KEY_ESCAPE);
    Push(EventType::KeyDown, KEY_DOWN);
    ClearKeys();
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    EXPECT_FALSE(KeyIsDown(KEY_DOWN));
    EXPECT_FALSE(headless::HasPendingEvents());
    // The key is still physically down; its next auto-repeat adds nothing,
    // but a new press after release counts.
    KeyPress(KEY_DOWN);
    EXPECT_EQ(KeyHitCount(KEY_DOWN), 1);
}

TEST_F(KeyboardTest, CodesOutsideTheTableAreIgnored) {
    Push(EventType::KeyDown, 256);
    Push(EventType::KeyDown, -1);
    EXPECT_EQ(KeyHitCount(256), 0);
    EXPECT_EQ(KeyHitCount(-1), 0);
    EXPECT_FALSE(KeyIsDown(1000));
    EXPECT_FALSE(headless::HasPendingEvents());
}

TEST_F(KeyboardTest, TypedCharactersQueueUpTo256) {
    for (int i = 0; i < 300; ++i) Push(EventType::Char, 'A' + i % 26);
    EXPECT_EQ(GetChar(), 'A');
    int read = 1;
    while (GetChar() != 0) ++read;
    EXPECT_EQ(read, 256);
    Push(EventType::Char, 'z');
    EXPECT_EQ(GetChar(), 'z');
    EXPECT_EQ(GetChar(), 0);
}

}  // namespace
