// Mouse buttons, position and wheel by the event rules.
#include "tests/services/input/input_support.hpp"

namespace {

using MouseTest = InputTest;

using platform::EventType;

TEST_F(MouseTest, ButtonsCountLikeKeysAndButtonZeroNeverSets) {
    Push(EventType::MouseDown, 1);
    Push(EventType::MouseDown, 1);
    Push(EventType::MouseDown, 0);
    Push(EventType::MouseDown, 4);
    EXPECT_TRUE(MouseIsDown(1));
    EXPECT_EQ(MouseHitCount(1), 1);
    EXPECT_EQ(MouseHitCount(1), 0);
    EXPECT_EQ(MouseHitCount(0), 0);
    EXPECT_FALSE(MouseIsDown(0));
    EXPECT_EQ(MouseHitCount(4), 0);
    Push(EventType::MouseUp, 1);
    Push(EventType::MouseDown, 2);
    Push(EventType::MouseUp, 2);
    Push(EventType::MouseDown, 2);
    Push(EventType::MouseDown, 3);
    EXPECT_FALSE(MouseIsDown(1));
    EXPECT_EQ(MouseHitCount(2), 2);
    EXPECT_TRUE(MouseIsDown(3));
}

TEST_F(MouseTest, MoveMouseIsSeenOnlyOnceItsEventIsProcessed) {
    Push(EventType::MouseMove, 0, 10, 20);
    EXPECT_EQ(MousePosX(), 10);
    MoveMouse(320, 240);
    // The back end has queued the move; the next query takes it.
    EXPECT_TRUE(headless::HasPendingEvents());
    EXPECT_EQ(MousePosX(), 320);
    EXPECT_EQ(MousePosY(), 240);
    // Positions are not clamped to the screen.
    MoveMouse(-6, 486);
    EXPECT_EQ(MousePosX(), -6);
    EXPECT_EQ(MousePosY(), 486);
}

TEST_F(MouseTest, ClearMouseKeepsThePosition) {
    Push(EventType::MouseMove, 0, 50, 60);
    Push(EventType::MouseDown, 1);
    Push(EventType::Wheel, 3);
    Push(EventType::Wheel, -1);
    EXPECT_EQ(MouseZ(), 2);
    ClearMouse();
    EXPECT_FALSE(MouseIsDown(1));
    EXPECT_EQ(MouseHitCount(1), 0);
    EXPECT_EQ(MouseZ(), 0);
    EXPECT_EQ(MousePosX(), 50);
    EXPECT_EQ(MousePosY(), 60);
}

TEST_F(MouseTest, FocusLostReleasesButtons) {
    Push(EventType::MouseDown, 1);
    Push(EventType::MouseMove, 0, 11, 12);
    Push(EventType::FocusLost);
    EXPECT_FALSE(MouseIsDown(1));
    EXPECT_EQ(MouseHitCount(1), 0);
    EXPECT_EQ(MousePosX(), 11);
}

}  // namespace
