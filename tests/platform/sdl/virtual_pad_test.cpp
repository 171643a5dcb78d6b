// Pads through the whole path: SDL's virtual joysticks, the SDL back end's
// ports and hot-plugging, and the input service's readings of joystick 0.
#include <SDL.h>
#include <gtest/gtest.h>

#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/platform/platform.hpp"

namespace {

class VirtualPadTest : public ::testing::Test {
   protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");  // no host devices in the way
        ResetJoysticks();
        CountJoysticks();
        Pump();
    }
    void TearDown() override {
        for (SDL_Joystick* j : opened_) SDL_JoystickClose(j);
        while (SDL_NumJoysticks() > 0 && SDL_JoystickIsVirtual(0)) SDL_JoystickDetachVirtual(0);
        Pump();
    }

    // Hot-plug events reach the back end as the game's input polls them.
    static void Pump() {
        platform::Event e;
        while (platform::PollEvent(e)) {
        }
    }

    // A pad SDL knows as a game controller; the returned handle feeds it.
    SDL_Joystick* AttachPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = "Test Pad";
        return Attach(desc);
    }

    // A device SDL knows only as a joystick: 2 axes, 4 buttons, 1 hat.
    SDL_Joystick* AttachRaw() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 2;
        desc.nbuttons = 4;
        desc.nhats = 1;
        desc.name = "Test Stick";
        return Attach(desc);
    }

    SDL_Joystick* Attach(const SDL_VirtualJoystickDesc& desc) {
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* joy = SDL_JoystickOpen(index);
        EXPECT_NE(joy, nullptr) << SDL_GetError();
        opened_.push_back(joy);
        Pump();
        return joy;
    }

    static void Detach(SDL_Joystick* joy) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joy);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
        Pump();
    }

    static void Button(SDL_Joystick* joy, SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joy, b, down ? 1 : 0);
    }

    std::vector<SDL_Joystick*> opened_;
};

TEST_F(VirtualPadTest, PadDpadStickAndButtonsReadAsJoystickZero) {
    EXPECT_EQ(JoyAxisX(0), 0.0f);     // nothing attached yet
    SDL_Joystick* pad = AttachPad();  // plugged in while the game runs
    ASSERT_NE(pad, nullptr);
    ASSERT_TRUE(SDL_IsGameController(0));
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisY(0), 0.0f);

    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_EQ(JoyAxisX(0), -1.0f);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisY(0), 1.0f);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767 * 49 / 100);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767 * 51 / 100);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -32768 * 70 / 100);
    EXPECT_EQ(JoyAxisX(0), 0.0f);  // the diagonal walks up only
    EXPECT_EQ(JoyAxisY(0), -1.0f);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 0);

    Button(pad, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(JoyIsDown(0));
    EXPECT_EQ(JoyHitCount(0), 1);
    Button(pad, SDL_CONTROLLER_BUTTON_A, false);
    Button(pad, SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_FALSE(JoyIsDown(0));
    EXPECT_EQ(JoyHitCount(1), 1);
    Button(pad, SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_FALSE(JoyIsDown(1));
    Button(pad, SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(JoyHitCount(1), 1);
    Button(pad, SDL_CONTROLLER_BUTTON_START, false);
    // Buttons the game has no use for read as nothing.
    Button(pad, SDL_CONTROLLER_BUTTON_X, true);
    Button(pad, SDL_CONTROLLER_BUTTON_Y, true);
    for (int b = 0; b < 17; ++b) EXPECT_FALSE(JoyIsDown(b)) << b;
}

TEST_F(VirtualPadTest, UnplugMidGameReadsAsNoJoystick) {
    SDL_Joystick* pad = AttachPad();
    ASSERT_NE(pad, nullptr);
    Button(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    Button(pad, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    EXPECT_TRUE(JoyIsDown(0));
    Detach(pad);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisY(0), 0.0f);
    EXPECT_FALSE(JoyIsDown(0));
    // Plugged back in, it is joystick 0 again.
    SDL_Joystick* again = AttachPad();
    ASSERT_NE(again, nullptr);
    Button(again, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(JoyAxisY(0), -1.0f);
}

TEST_F(VirtualPadTest, FirstAttachedIsJoystickZeroAndKeepsItsPort) {
    SDL_Joystick* first = AttachPad();
    SDL_Joystick* second = AttachRaw();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    SDL_JoystickSetVirtualHat(second, 0, SDL_HAT_LEFT);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisX(1), -1.0f);
    // Enumerating again at start-up order gives the same ports.
    CountJoysticks();
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_EQ(JoyAxisX(1), -1.0f);
}

TEST_F(VirtualPadTest, UnknownDeviceKeepsRawButtonsAxesAndReadsItsHat) {
    SDL_Joystick* stick = AttachRaw();
    ASSERT_NE(stick, nullptr);
    ASSERT_FALSE(SDL_IsGameController(0));
    SDL_JoystickSetVirtualButton(stick, 3, 1);
    EXPECT_TRUE(JoyIsDown(3));
    SDL_JoystickSetVirtualAxis(stick, 0, -32768);
    SDL_JoystickSetVirtualAxis(stick, 1, 32767);
    EXPECT_EQ(JoyAxisX(0), -1.0f);
    EXPECT_EQ(JoyAxisY(0), 1.0f);
    SDL_JoystickSetVirtualAxis(stick, 0, 16000);  // half way stays analogue
    EXPECT_GT(JoyAxisX(0), 0.4f);
    EXPECT_LT(JoyAxisX(0), 0.6f);
    SDL_JoystickSetVirtualAxis(stick, 0, 0);
    SDL_JoystickSetVirtualAxis(stick, 1, 0);
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_RIGHTUP);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    EXPECT_EQ(JoyAxisY(0), -1.0f);
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_CENTERED);
    EXPECT_NEAR(JoyAxisX(0), 0.0f, 1e-4f);
    EXPECT_NE(JoyAxisX(0), 1.0f);
}

}  // namespace
