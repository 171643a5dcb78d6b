// What a pad's d-pad, stick and buttons read as on the game's joystick 0,
// through the input service's own conversion to -1.0 .. 1.0.
#include "services/platform/sdl/pad_reading.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

using sdl_backend::PadState;

float Axis(const platform::JoyReading& r, int a) {
    return float(r.axis_pos[a] - r.axis_min) * 2.0f / float(r.axis_max) - 1.0f;
}

// x and y as the game sees them.
std::pair<float, float> Walk(const PadState& pad) {
    const platform::JoyReading r = sdl_backend::PadReading(pad);
    EXPECT_GE(r.axis_count, 2);
    return {Axis(r, 0), Axis(r, 1)};
}

std::int16_t Percent(int p) {
    return std::int16_t(p >= 0 ? 32767 * p / 100 : 32768 * p / 100);
}

TEST(PadReading, DpadReadsExactExtremesAndCancelsOpposites) {
    PadState pad;
    EXPECT_EQ(Walk(pad), std::make_pair(0.0f, 0.0f));
    pad.dpad_left = true;
    EXPECT_EQ(Walk(pad), std::make_pair(-1.0f, 0.0f));
    pad.dpad_up = true;
    EXPECT_EQ(Walk(pad), std::make_pair(-1.0f, -1.0f));
    pad = PadState{};
    pad.dpad_right = true;
    pad.dpad_down = true;
    EXPECT_EQ(Walk(pad), std::make_pair(1.0f, 1.0f));
    pad.dpad_left = true;  // left and right together: no way
    EXPECT_EQ(Walk(pad), std::make_pair(0.0f, 1.0f));
    // The held d-pad decides, whatever the stick says.
    pad = PadState{};
    pad.dpad_up = true;
    pad.stick_x = Percent(100);
    EXPECT_EQ(Walk(pad), std::make_pair(0.0f, -1.0f));
}

TEST(PadReading, StickCountsOnlyPastHalfItsTravel) {
    PadState pad;
    for (int sign : {-1, 1}) {
        pad.stick_x = Percent(49 * sign);
        EXPECT_EQ(Walk(pad).first, 0.0f) << sign;
        pad.stick_x = Percent(51 * sign);
        EXPECT_EQ(Walk(pad).first, float(sign)) << sign;
        pad.stick_x = Percent(100 * sign);
        EXPECT_EQ(Walk(pad).first, float(sign)) << sign;
        pad.stick_x = 0;
        pad.stick_y = Percent(51 * sign);
        EXPECT_EQ(Walk(pad), std::make_pair(0.0f, float(sign))) << sign;
        pad.stick_y = 0;
    }
    pad.stick_x = -32768;
    EXPECT_EQ(Walk(pad).first, -1.0f);
}

TEST(PadReading, DiagonalStickWalksOneWayOnly) {
    PadState pad;
    pad.stick_x = Percent(80);
    pad.stick_y = Percent(-60);
    EXPECT_EQ(Walk(pad), std::make_pair(1.0f, 0.0f));
    pad.stick_y = Percent(-90);
    EXPECT_EQ(Walk(pad), std::make_pair(0.0f, -1.0f));
    // One axis past half, the other not: no contest.
    pad.stick_x = Percent(30);
    EXPECT_EQ(Walk(pad), std::make_pair(0.0f, -1.0f));
}

TEST(PadReading, SouthIsButtonZeroEastAndStartAreButtonOne) {
    PadState pad;
    EXPECT_EQ(sdl_backend::PadReading(pad).buttons, 0u);
    pad.south = true;
    EXPECT_EQ(sdl_backend::PadReading(pad).buttons, 1u);
    pad = PadState{};
    pad.east = true;
    EXPECT_EQ(sdl_backend::PadReading(pad).buttons, 2u);
    pad = PadState{};
    pad.start = true;
    EXPECT_EQ(sdl_backend::PadReading(pad).buttons, 2u);
    pad.south = pad.east = true;
    EXPECT_EQ(sdl_backend::PadReading(pad).buttons, 3u);
}

TEST(PadReading, RawHatOverridesTheAxesOnlyWhilePushed) {
    platform::JoyReading r;
    r.axis_count = 2;
    r.axis_pos[0] = 32768 + 12000;
    r.axis_pos[1] = 32768;
    sdl_backend::ApplyHat(SDL_HAT_CENTERED, r);
    EXPECT_EQ(r.axis_pos[0], 32768 + 12000);
    sdl_backend::ApplyHat(SDL_HAT_LEFTUP, r);
    EXPECT_EQ(Axis(r, 0), -1.0f);
    EXPECT_EQ(Axis(r, 1), -1.0f);
    r.axis_pos[0] = r.axis_pos[1] = 32768;
    sdl_backend::ApplyHat(SDL_HAT_RIGHTDOWN, r);
    EXPECT_EQ(Axis(r, 0), 1.0f);
    EXPECT_EQ(Axis(r, 1), 1.0f);

    // A device with a hat and no stick: released, the hat reads near the
    // middle, never the extreme it last gave.
    platform::JoyReading hat_only;
    sdl_backend::ApplyHat(SDL_HAT_DOWN, hat_only);
    EXPECT_EQ(hat_only.axis_count, 2);
    EXPECT_EQ(Axis(hat_only, 1), 1.0f);
    EXPECT_NE(Axis(hat_only, 0), -1.0f);
    hat_only = platform::JoyReading{};
    sdl_backend::ApplyHat(SDL_HAT_CENTERED, hat_only);
    EXPECT_EQ(hat_only.axis_count, 2);
    EXPECT_NEAR(Axis(hat_only, 0), 0.0f, 1e-4f);
    EXPECT_NEAR(Axis(hat_only, 1), 0.0f, 1e-4f);
}

TEST(PadReading, UnpluggedReadsAsNoJoystick) {
    const platform::JoyReading r = sdl_backend::NoDeviceReading();
    EXPECT_EQ(r.buttons, 0u);
    ASSERT_EQ(r.axis_count, 6);
    for (int a = 0; a < 6; ++a) EXPECT_EQ(Axis(r, a), 0.0f) << a;
}

}  // namespace
