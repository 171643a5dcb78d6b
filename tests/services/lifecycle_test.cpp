// Ending the program and putting every service back to its load-time state.
#include "services/lifecycle.hpp"

#include <gtest/gtest.h>

#include "services/graphics/display.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/system/app.hpp"
#include "services/system/random.hpp"

namespace {

using platform::EventType;

class LifecycleTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headless::Reset();
        ResetInput();
    }
};

TEST_F(LifecycleTest, EndProgramClosesTheWindowAndLeavesTheProcessRunning) {
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 2));
    EXPECT_TRUE(headless::WindowOpen());
    EndProgram();
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(LifecycleTest, ResetServicesRestoresTheLoadTimeState) {
    SetAppTitle("Bodger 2010");
    SeedRandom(99);
    rnd(0, 1);
    headless::AttachJoystick(true);
    CountJoysticks();
    headless::SetJoyAxis(0, 1.0f);
    EXPECT_EQ(JoyAxisX(0), 1.0f);
    headless::PushEvent({EventType::KeyDown, KEY_SPACE});
    headless::PushEvent({EventType::FocusLost});
    headless::PushEvent({EventType::MouseMove, 0, 5, 5});
    EXPECT_TRUE(AppIsSuspended());
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 2));

    ResetServices();
    headless::Reset();  // the centring move queued by OpenGraphics belongs to the back end
    EXPECT_EQ(RandomState(), 4660);
    EXPECT_EQ(AppTitle(), "");
    EXPECT_EQ(CurrentDisplay(), nullptr);
    headless::AttachJoystick(false);
    EXPECT_EQ(JoyAxisX(0), 0.0f);
    EXPECT_FALSE(AppIsSuspended());
    EXPECT_EQ(MousePosX(), 0);
    EXPECT_FALSE(KeyIsDown(KEY_SPACE));
}

}  // namespace
