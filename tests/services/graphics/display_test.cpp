// The display: pacing against a fake clock (soft schedule, late frames, the
// vertical-blank probe), and opening and flipping on the headless back end.
#include <vector>

#include "raster_support.hpp"
#include "services/graphics/raster_pacing.hpp"
#include "services/input/input.hpp"

namespace {

// A clock that moves only when slept on, when a present waits for a blank
// (by the scripted blank intervals, in turn), or when a test says so.
class FakeClock : public raster::TFrameClock {
   public:
    std::uint32_t now = 5000;  // wraps like the real counter
    std::vector<int> blank_ms = {16, 17, 17};
    std::vector<int> presents;  // the sync of each present
    int Now() override { return int(now); }
    void Sleep(int ms) override { now += std::uint32_t(ms); }
    void Present(int sync) override {
        if (sync == 1 && !blank_ms.empty())
            now += std::uint32_t(blank_ms[next_blank++ % blank_ms.size()]);
        presents.push_back(sync);
    }
    int Since(std::uint32_t start) const { return int(now - start); }

   private:
    std::size_t next_blank = 0;
};

TDisplay Display(int depth, int hertz = 60) {
    TDisplay d;
    d.width = 640;
    d.height = 480;
    d.depth = depth;
    d.hertz = hertz;
    return d;
}

TEST(Pacing, SoftPacingGivesSixtyFramesPerSecond) {
    FakeClock clock;
    TDisplay d = Display(0);
    raster::SetUpPacing(d, clock);
    ASSERT_TRUE(d.soft_sync);  // a window is never probed
    EXPECT_EQ(d.period, 16);
    EXPECT_EQ(d.remainder, 40);
    EXPECT_TRUE(clock.presents.empty());
    const std::uint32_t start = clock.now;
    std::uint32_t last = start;
    int of16 = 0, of17 = 0;
    for (int frame = 0; frame < 60; ++frame) {
        raster::PacedFlip(d, clock, -1);
        const int took = clock.Since(last);
        last = clock.now;
        of16 += took == 16;
        of17 += took == 17;
    }
    EXPECT_EQ(clock.Since(start), 1000);
    EXPECT_EQ(of17, 40);
    EXPECT_EQ(of16, 20);
    for (int sync : clock.presents) EXPECT_EQ(sync, 0);
}

TEST(Pacing, LateFrameIsNotCaughtUp) {
    FakeClock clock;
    TDisplay d = Display(0);
    raster::SetUpPacing(d, clock);
    raster::PacedFlip(d, clock, -1);
    clock.now += 50;  // a slow frame: three slots' worth of work
    raster::PacedFlip(d, clock, -1);
    const std::uint32_t late = clock.now;
    EXPECT_EQ(d.next_frame_time, int(late));  // presented at once, the schedule restarts here
    raster::PacedFlip(d, clock, -1);
    const int gap = clock.Since(late);
    EXPECT_TRUE(gap == 16 || gap == 17) << gap;
    raster::PacedFlip(d, clock, -1);
    EXPECT_GE(clock.Since(late), 32);
}

TEST(Pacing, SteadyVerticalBlankOnFullScreenPacesByTheBlank) {
    FakeClock clock;
    TDisplay d = Display(32);
    raster::SetUpPacing(d, clock);
    EXPECT_FALSE(d.soft_sync);
    EXPECT_EQ(clock.presents, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(d.next_frame_time, int(clock.now));
    raster::PacedFlip(d, clock, -1);
    EXPECT_EQ(clock.presents.back(), 1);
}

TEST(Pacing, GoodBlanksMustComeThreeInARow) {
    FakeClock clock;
    clock.blank_ms = {16, 16, 30, 15, 17, 16};
    TDisplay d = Display(32);
    raster::SetUpPacing(d, clock);
    EXPECT_FALSE(d.soft_sync);
    EXPECT_EQ(clock.presents.size(), 6u);
}

TEST(Pacing, UnsteadyOrMissingBlankFallsBackToSleepingWithinASecond) {
    FakeClock clock;
    clock.blank_ms = {16, 16, 25};
    TDisplay d = Display(32);
    const std::uint32_t start = clock.now;
    raster::SetUpPacing(d, clock);
    EXPECT_TRUE(d.soft_sync);
    EXPECT_GE(clock.Since(start), 1000);
    EXPECT_LT(clock.Since(start), 1000 + 25);

    // A present that never waits, on a clock that never moves: the probe still ends.
    FakeClock frozen;
    frozen.blank_ms.clear();
    TDisplay f = Display(32);
    raster::SetUpPacing(f, frozen);
    EXPECT_TRUE(f.soft_sync);
    EXPECT_FALSE(frozen.presents.empty());
}

TEST(Pacing, ExplicitSyncAlwaysPresentsAsAsked) {
    FakeClock clock;
    TDisplay d = Display(32);
    raster::SetUpPacing(d, clock);
    d.soft_sync = true;
    clock.presents.clear();
    raster::PacedFlip(d, clock, 1);
    raster::PacedFlip(d, clock, 0);
    EXPECT_EQ(clock.presents, (std::vector<int>{1, 0}));

    TDisplay none = Display(32, 0);  // no hertz: no probe, never soft
    raster::SetUpPacing(none, clock);
    EXPECT_FALSE(none.soft_sync);
    EXPECT_EQ(none.period, 0);
}

TEST(Pacing, ClockWrapAroundKeepsTheSchedule) {
    FakeClock clock;
    clock.now = 0x7FFFFFF0;  // the signed counter wraps within the next frames
    TDisplay d = Display(0);
    raster::SetUpPacing(d, clock);
    for (int frame = 0; frame < 3; ++frame) raster::PacedFlip(d, clock, -1);
    EXPECT_EQ(clock.Since(0x7FFFFFF0u), 50);
}

class HeadlessDisplay : public RasterTest {};

TEST_F(HeadlessDisplay, FullScreenOpenTrustsTheVirtualBlankAndCentresTheMouse) {
    CloseGraphics();
    headless::Reset();
    const std::uint32_t before = headless::Clock();
    SetColor(1, 2, 3);
    int flips = 0;
    SetFlipHook([&] { ++flips; });
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 2));
    SetFlipHook(nullptr);
    EXPECT_EQ(flips, 0);  // opening presents, but those are not frames
    const TDisplay* d = CurrentDisplay();
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->soft_sync);
    EXPECT_EQ(d->period, 16);
    EXPECT_EQ(d->remainder, 40);
    EXPECT_EQ(d->next_frame_time, int(headless::Clock()));
    EXPECT_LE(headless::Clock() - before, 100u);  // three or four blanks, not a second
    EXPECT_EQ(DrawState().color_red, 255);        // the drawing state starts afresh
    EXPECT_EQ(MousePosX(), 320);
    EXPECT_EQ(MousePosY(), 240);
    EXPECT_TRUE(headless::WindowOpen());
    CloseGraphics();
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(HeadlessDisplay, WindowedFlipsSleepToSixtyASecondAndCallTheHook) {
    int flips = 0;
    SetFlipHook([&] { ++flips; });
    EXPECT_TRUE(CurrentDisplay()->soft_sync);
    const std::uint32_t start = headless::Clock();
    for (int i = 0; i < 60; ++i) Flip(-1);
    EXPECT_EQ(headless::Clock() - start, 1000u);
    EXPECT_EQ(flips, 60);
    SetFlipHook(nullptr);
}

TEST_F(HeadlessDisplay, FlipPresentsTheBackBuffer) {
    SetClsColor(10, 20, 30);
    Cls();
    Put(3, 4, 0xFFABCDEFu);
    Flip(0);
    const std::vector<std::uint32_t>& frame = headless::LastFrame();
    ASSERT_EQ(frame.size(), 640u * 480u);
    EXPECT_EQ(frame[0], 0xFF0A141Eu);
    EXPECT_EQ(frame[4 * 640 + 3], 0xFFABCDEFu);
    const std::uint32_t before = headless::Clock();
    Flip(1);  // waits for the next blank whatever the probe found
    EXPECT_GT(headless::Clock(), before);
}

}  // namespace
