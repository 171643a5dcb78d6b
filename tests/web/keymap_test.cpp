// keymap_test.cpp -- the page's key codes and gamepads in the game's terms.
#include "services/platform/web/keymap.hpp"

#include <gtest/gtest.h>

namespace {

using web_backend::PadReading;
using web_backend::PadState;
using web_backend::VirtualKey;

TEST(WebKeymap, GameKeysKeepTheirCodes) {
    EXPECT_EQ(VirtualKey("Escape"), 27);
    EXPECT_EQ(VirtualKey("Space"), 32);
    EXPECT_EQ(VirtualKey("ArrowLeft"), 37);
    EXPECT_EQ(VirtualKey("ArrowUp"), 38);
    EXPECT_EQ(VirtualKey("ArrowRight"), 39);
    EXPECT_EQ(VirtualKey("ArrowDown"), 40);
    // Left and right modifiers are told apart.
    EXPECT_EQ(VirtualKey("ControlLeft"), 162);
    EXPECT_EQ(VirtualKey("ControlRight"), 163);
    EXPECT_EQ(VirtualKey("ShiftLeft"), 160);
    EXPECT_EQ(VirtualKey("AltRight"), 165);
}

TEST(WebKeymap, LettersDigitsFunctionAndPadKeys) {
    EXPECT_EQ(VirtualKey("KeyA"), 'A');
    EXPECT_EQ(VirtualKey("KeyZ"), 'Z');
    EXPECT_EQ(VirtualKey("Digit0"), '0');
    EXPECT_EQ(VirtualKey("Digit9"), '9');
    EXPECT_EQ(VirtualKey("F1"), 112);
    EXPECT_EQ(VirtualKey("F12"), 123);
    EXPECT_EQ(VirtualKey("F24"), 135);
    EXPECT_EQ(VirtualKey("Numpad0"), 96);
    EXPECT_EQ(VirtualKey("Numpad9"), 105);
}

TEST(WebKeymap, UnknownAndMalformedCodesGiveNoKey) {
    EXPECT_EQ(VirtualKey(nullptr), 0);
    EXPECT_EQ(VirtualKey(""), 0);
    EXPECT_EQ(VirtualKey("Key"), 0);
    EXPECT_EQ(VirtualKey("KeyAB"), 0);
    EXPECT_EQ(VirtualKey("Keya"), 0);
    EXPECT_EQ(VirtualKey("Digit10"), 0);
    EXPECT_EQ(VirtualKey("F0"), 0);
    EXPECT_EQ(VirtualKey("F25"), 0);
    EXPECT_EQ(VirtualKey("F99999999999"), 0);
    EXPECT_EQ(VirtualKey("Numpad10"), 0);
    EXPECT_EQ(VirtualKey("LaunchMail"), 0);
}

PadState Pad() {
    PadState pad;
    pad.button_count = 17;
    pad.axis_count = 4;
    return pad;
}

TEST(WebGamepad, RestingPadReadsTheMiddle) {
    const auto r = PadReading(Pad());
    EXPECT_EQ(r.buttons, 0u);
    EXPECT_EQ(r.axis_count, 2);
    // The middle of the range, which the input service reads as exactly 0.0.
    EXPECT_EQ(r.axis_pos[0] * 2, r.axis_min + r.axis_max);
    EXPECT_EQ(r.axis_pos[1] * 2, r.axis_min + r.axis_max);
}

TEST(WebGamepad, ButtonsMapLikeTheDesktopControllers) {
    PadState pad = Pad();
    pad.buttons[0] = true;  // A
    EXPECT_EQ(PadReading(pad).buttons, 1u);
    pad = Pad();
    pad.buttons[1] = true;  // B
    EXPECT_EQ(PadReading(pad).buttons, 2u);
    pad = Pad();
    pad.buttons[9] = true;  // Start
    EXPECT_EQ(PadReading(pad).buttons, 2u);
    pad = Pad();
    pad.buttons[3] = true;  // Y: no game button
    EXPECT_EQ(PadReading(pad).buttons, 0u);
}

TEST(WebGamepad, DpadAndStickReachTheAxisExtremes) {
    PadState pad = Pad();
    pad.buttons[14] = true;  // d-pad left
    pad.buttons[13] = true;  // d-pad down
    auto r = PadReading(pad);
    EXPECT_EQ(r.axis_pos[0], r.axis_min);
    EXPECT_EQ(r.axis_pos[1], r.axis_max);

    pad = Pad();
    pad.axes[0] = 0.7;
    r = PadReading(pad);
    EXPECT_EQ(r.axis_pos[0], r.axis_max);
    EXPECT_EQ(r.axis_pos[1] * 2, r.axis_min + r.axis_max);

    // A diagonal walks one way only: the axis pushed further.
    pad.axes[1] = -0.9;
    r = PadReading(pad);
    EXPECT_EQ(r.axis_pos[0] * 2, r.axis_min + r.axis_max);
    EXPECT_EQ(r.axis_pos[1], r.axis_min);

    // A stick barely off centre and opposite d-pad buttons both rest.
    pad = Pad();
    pad.axes[0] = 0.3;
    pad.buttons[12] = pad.buttons[13] = true;
    r = PadReading(pad);
    // The middle of the range, which the input service reads as exactly 0.0.
    EXPECT_EQ(r.axis_pos[0] * 2, r.axis_min + r.axis_max);
    EXPECT_EQ(r.axis_pos[1] * 2, r.axis_min + r.axis_max);
}

TEST(WebGamepad, MissingButtonsAndAxesAreNotRead) {
    PadState pad;
    pad.button_count = 1;
    pad.buttons[9] = true;  // past the pad's buttons: ignored
    pad.axis_count = 0;
    pad.axes[0] = 1.0;  // past the pad's axes: ignored
    const auto r = PadReading(pad);
    EXPECT_EQ(r.buttons, 0u);
    EXPECT_EQ(r.axis_pos[0] * 2, r.axis_min + r.axis_max);
}

}  // namespace
