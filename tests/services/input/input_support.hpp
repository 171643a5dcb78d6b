// input_support.hpp -- a fixture that starts every input test from the state
// at program load, with events pushed through the headless back end.
#pragma once

#include <gtest/gtest.h>

#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/platform/headless/headless.hpp"

class InputTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headless::Reset();
        ResetInput();
        ResetJoysticks();
    }
    void TearDown() override { headless::Reset(); }

    static void Push(platform::EventType type, int code = 0, int x = 0, int y = 0) {
        headless::PushEvent({type, code, x, y});
    }
    static void KeyPress(int code) {
        Push(platform::EventType::KeyDown, code);
        Push(platform::EventType::KeyUp, code);
    }
};
