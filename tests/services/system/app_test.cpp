// The application's window state, driven through headless window events.
#include "services/system/app.hpp"

#include <gtest/gtest.h>

#include "services/input/input.hpp"
#include "services/platform/headless/headless.hpp"

namespace {

using platform::EventType;

class AppTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headless::Reset();
        ResetInput();
    }
};

TEST_F(AppTest, SuspendFollowsFocusAsEventsArrive) {
    EXPECT_FALSE(AppIsSuspended());
    headless::PushEvent({EventType::FocusLost});
    EXPECT_TRUE(AppIsSuspended());
    EXPECT_TRUE(AppIsSuspended());
    headless::PushEvent({EventType::FocusGained});
    EXPECT_FALSE(AppIsSuspended());
}

TEST_F(AppTest, CloseRequestIsTrueOnceAndSurvivesFocusChanges) {
    EXPECT_FALSE(CloseRequested());
    headless::PushEvent({EventType::Close});
    headless::PushEvent({EventType::FocusLost});
    EXPECT_TRUE(CloseRequested());
    EXPECT_FALSE(CloseRequested());
}

}  // namespace
