// Joystick readings through the headless virtual joystick at port 0.
#include "tests/services/input/input_support.hpp"

namespace {

using JoystickTest = InputTest;

TEST_F(JoystickTest, NoJoystickReadsAllZero) {
    EXPECT_EQ(CountJoysticks(), 0);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisY(0), 0.0f);
    EXPECT_FALSE(JoyIsDown(0, 0));
    EXPECT_EQ(JoyHitCount(1, 0), 0);
    EXPECT_EQ(JoyAxisX(300), 0.0f);
    EXPECT_EQ(JoyAxisX(-1), 0.0f);
}

TEST_F(JoystickTest, FullDeflectionReadsExactlyOne) {
    headless::AttachJoystick(true);
    EXPECT_EQ(CountJoysticks(), 1);
    EXPECT_NEAR(JoyAxisX(0), 0.0f, 1e-4f);
    EXPECT_NE(JoyAxisX(0), -1.0f);
    headless::SetJoyAxis(0, -1.0f);
    headless::SetJoyAxis(1, 1.0f);
    EXPECT_EQ(JoyAxisX(0), -1.0f);
    EXPECT_EQ(JoyAxisY(0), 1.0f);
    headless::SetJoyAxis(0, 1.0f);
    headless::SetJoyAxis(1, -1.0f);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    EXPECT_EQ(JoyAxisY(0), -1.0f);
    // Nearly full is not full: the menu pointer only moves at exactly +-1.
    headless::SetJoyAxis(0, 0.99f);
    EXPECT_NEAR(JoyAxisX(0), 0.99f, 1e-4f);
    EXPECT_LT(JoyAxisX(0), 1.0f);
    headless::SetJoyAxis(0, 0.0f);
    EXPECT_NEAR(JoyAxisX(0), 0.0f, 1e-4f);
    EXPECT_EQ(JoyAxisX(1), 0.0f);  // no device at port 1
}

TEST_F(JoystickTest, ButtonHitsCountUpToDownChangesBetweenReadings) {
    headless::AttachJoystick(true);
    CountJoysticks();
    headless::SetJoyButton(0, true);
    EXPECT_TRUE(JoyIsDown(0));
    EXPECT_TRUE(JoyIsDown(0));  // still held: no new hit
    EXPECT_EQ(JoyHitCount(0), 1);
    EXPECT_EQ(JoyHitCount(0), 0);
    headless::SetJoyButton(0, false);
    EXPECT_FALSE(JoyIsDown(0));
    headless::SetJoyButton(0, true);
    EXPECT_EQ(JoyHitCount(0), 1);
    // A press that begins and ends between two readings is not seen.
    headless::SetJoyButton(1, true);
    headless::SetJoyButton(1, false);
    EXPECT_EQ(JoyHitCount(1), 0);
    headless::SetJoyButton(15, true);
    EXPECT_EQ(JoyHitCount(15), 1);
    EXPECT_EQ(JoyHitCount(17), 0);
}

TEST_F(JoystickTest, UnpluggedJoystickKeepsItsLastReading) {
    headless::AttachJoystick(true);
    CountJoysticks();
    headless::SetJoyAxis(0, 1.0f);
    headless::SetJoyButton(1, true);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    headless::AttachJoystick(false);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    EXPECT_TRUE(JoyIsDown(1));
    EXPECT_EQ(JoyHitCount(1), 1);
    // A fresh enumeration forgets it.
    EXPECT_EQ(CountJoysticks(), 0);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_FALSE(JoyIsDown(1));
}

}  // namespace
