// The clock and sleep above the seam, on the headless back end's virtual
// clock and its 60 Hz vertical blank.
#include "services/system/clock.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "services/platform/headless/headless.hpp"

namespace {

class ClockTest : public ::testing::Test {
   protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override {
        platform::CloseAudio();
        headless::Reset();
    }
    static void PresentFrame(int sync) {
        static const std::vector<std::uint32_t> frame(4 * 3, 0xFF102030u);
        platform::Present(frame.data(), 4, 3, sync);
    }
};

TEST_F(ClockTest, SleepMovesTheVirtualClock) {
    EXPECT_EQ(ClockMillis(), 100000);
    SleepMillis(500);
    EXPECT_EQ(ClockMillis(), 100500);
    SleepMillis(0);
    SleepMillis(-20);
    EXPECT_EQ(ClockMillis(), 100500);
}

TEST_F(ClockTest, ClockWrapsIn32Bits) {
    headless::SetClock(0xFFFFFFF0u);
    const int before = ClockMillis();
    SleepMillis(32);
    EXPECT_EQ(ClockMillis(), 16);
    EXPECT_EQ(static_cast<unsigned>(ClockMillis()) - static_cast<unsigned>(before), 32u);
}

TEST_F(ClockTest, SyncedPresentWaitsForTheNextBlank) {
    // Blanks fall at floor(k * 1000 / 60): ... 99983, 100000, 100016, 100033, 100050 ...
    PresentFrame(1);
    EXPECT_EQ(headless::Clock(), 100016u);  // a blank exactly now is already gone
    PresentFrame(1);
    EXPECT_EQ(headless::Clock(), 100033u);
    headless::SetClock(100034);
    PresentFrame(1);
    EXPECT_EQ(headless::Clock(), 100050u);
    PresentFrame(0);
    EXPECT_EQ(headless::Clock(), 100050u);
    // Sixty synced frames take one second.
    headless::SetClock(0);
    for (int i = 0; i < 60; ++i) PresentFrame(1);
    EXPECT_EQ(headless::Clock(), 1000u);
}

int g_pulled = 0;
void CountPulled(std::int16_t* stereo, int frames) {
    stereo[0] = stereo[2 * frames - 1] = 0;  // the whole buffer is ours to fill
    g_pulled += frames;
}

TEST_F(ClockTest, AudioIsPulledForTheVirtualTimePassed) {
    g_pulled = 0;
    ASSERT_EQ(platform::OpenAudio(CountPulled), 44100);
    SleepMillis(10);
    PresentFrame(0);
    EXPECT_EQ(g_pulled, 441);
    // 60 synced frames: exactly one second of samples, none lost to rounding.
    g_pulled = 0;
    headless::SetClock(0);
    for (int i = 0; i < 60; ++i) PresentFrame(1);
    EXPECT_EQ(g_pulled, 44100);
    // Long sleeps are pulled in pieces the mixer can take.
    g_pulled = 0;
    SleepMillis(2000);
    PresentFrame(0);
    EXPECT_EQ(g_pulled, 88200);
    platform::CloseAudio();
    SleepMillis(100);
    PresentFrame(0);
    EXPECT_EQ(g_pulled, 88200);
}

TEST_F(ClockTest, WaitingAsksTheHandlerUnlessEventsAreQueued) {
    EXPECT_THROW(platform::WaitEvents(), headless::WaitForever);
    int asked = 0;
    headless::SetWaitHandler([&] { return ++asked < 2; });
    platform::WaitEvents();
    EXPECT_EQ(asked, 1);
    headless::PushEvent({platform::EventType::Close});
    platform::WaitEvents();
    EXPECT_EQ(asked, 1);
    platform::Event e;
    ASSERT_TRUE(platform::PollEvent(e));
    EXPECT_THROW(platform::WaitEvents(), headless::WaitForever);
    EXPECT_EQ(asked, 2);
}

}  // namespace
