// The display: pacing against a fake clock (soft schedule, late frames, the
// vertical-blank probe), and opening and flipping on the headless back end.
#include <vector>

#include "raster_support.hpp"
#include "services/graphics/display_pacing.hpp"
#include "services/input/input.hpp"

namespace {

// Moves only when slept on, when a present waits for a blank (the scripted
// intervals in turn), or when a test says so.  Wraps like the real counter.
struct FakeClock : display_pacing::TFrameClock {
    std::uint32_t now = 0x7FFFFF00u;
    std::vector<int> blank_ms = {16, 17, 17};
    std::vector<int> presents;  // the sync of each present
    std::size_t next_blank = 0;
    int Now() override { return int(now); }
    void Sleep(int ms) override { now += std::uint32_t(ms); }
    void Present(int sync) override {
        if (sync == 1 && !blank_ms.empty())
            now += std::uint32_t(blank_ms[next_blank++ % blank_ms.size()]);
        presents.push_back(sync);
    }
    int Since(std::uint32_t start) const { return int(now - start); }
};

TDisplay Display(int depth, int hertz = 60) {
    return TDisplay{640, 480, depth, hertz, 2};
}

TEST(Pacing, SoftPacingGivesSixtyFramesPerSecondAndNeverCatchesUp) {
    FakeClock clock;
    TDisplay d = Display(0);
    display_pacing::SetUpPacing(d, clock);
    ASSERT_TRUE(d.soft_sync);  // a window is never probed
    EXPECT_EQ(d.period, 16);
    EXPECT_EQ(d.remainder, 40);
    const std::uint32_t start = clock.now;  // the counter wraps during this second
    std::uint32_t last = start;
    int of16 = 0, of17 = 0;
    for (int frame = 0; frame < 60; ++frame) {
        display_pacing::PacedFlip(d, clock, -1);
        of16 += clock.Since(last) == 16;
        of17 += clock.Since(last) == 17;
        last = clock.now;
    }
    EXPECT_EQ(clock.Since(start), 1000);
    EXPECT_EQ(of17, 40);
    EXPECT_EQ(of16, 20);
    EXPECT_EQ(clock.presents, std::vector<int>(60, 0));

    clock.now += 50;  // a slow frame: presented at once, the schedule restarts there
    display_pacing::PacedFlip(d, clock, -1);
    const std::uint32_t late = clock.now;
    EXPECT_EQ(d.next_frame_time, int(late));
    display_pacing::PacedFlip(d, clock, -1);
    EXPECT_GE(clock.Since(late), 16);
}

TEST(Pacing, ThreeSteadyBlanksInARowPaceAFullScreenByTheBlank) {
    FakeClock clock;
    clock.blank_ms = {16, 16, 30, 15, 17, 16};
    TDisplay d = Display(32);
    display_pacing::SetUpPacing(d, clock);
    EXPECT_FALSE(d.soft_sync);
    EXPECT_EQ(clock.presents, std::vector<int>(6, 1));
    EXPECT_EQ(d.next_frame_time, int(clock.now));
    display_pacing::PacedFlip(d, clock, -1);
    display_pacing::PacedFlip(d, clock, 0);  // an explicit sync is always obeyed
    EXPECT_EQ(clock.presents.back(), 0);
    EXPECT_EQ(clock.presents[6], 1);
}

TEST(Pacing, UnsteadyOrMissingBlankFallsBackToSleepingWithinASecond) {
    FakeClock clock;
    clock.blank_ms = {16, 16, 25};
    TDisplay d = Display(32);
    const std::uint32_t start = clock.now;
    display_pacing::SetUpPacing(d, clock);
    EXPECT_TRUE(d.soft_sync);
    EXPECT_GE(clock.Since(start), 1000);
    EXPECT_LT(clock.Since(start), 1000 + 25);
    display_pacing::PacedFlip(d, clock, 1);
    EXPECT_EQ(clock.presents.back(), 1);

    FakeClock frozen;  // presents never wait, the clock never moves: the probe still ends
    frozen.blank_ms.clear();
    display_pacing::SetUpPacing(d, frozen);
    EXPECT_TRUE(d.soft_sync);

    TDisplay none = Display(32, 0);  // no hertz: no probe, never soft
    display_pacing::SetUpPacing(none, clock);
    EXPECT_FALSE(none.soft_sync);
}

using HeadlessDisplay = RasterTest;

TEST_F(HeadlessDisplay, FullScreenOpenTrustsTheVirtualBlankAndCentresTheMouse) {
    CloseGraphics();
    const std::uint32_t before = headless::Clock();
    SetColor(1, 2, 3);
    int flips = 0;
    SetFlipHook([&] { ++flips; });
    ASSERT_TRUE(OpenGraphics(640, 480, 32, 60, 2));
    const TDisplay* d = CurrentDisplay();
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->soft_sync);
    EXPECT_EQ(d->next_frame_time, int(headless::Clock()));
    EXPECT_LE(headless::Clock() - before, 100u);  // a few blanks, not a second
    EXPECT_EQ(flips, 0);                          // opening presents, but not frames
    EXPECT_EQ(DrawState().color_red, 255);        // the drawing state starts afresh
    EXPECT_EQ(MousePosX(), 320);
    EXPECT_EQ(MousePosY(), 240);
    Flip(1);
    EXPECT_EQ(flips, 1);
    SetFlipHook(nullptr);
    CloseGraphics();
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(CurrentDisplay(), nullptr);
}

TEST_F(HeadlessDisplay, WindowedFlipsPresentTheBufferAtSixtyASecond) {
    SetClsColor(10, 20, 30);
    Cls();
    Put(3, 4, 0xFFABCDEFu);
    const std::uint32_t start = headless::Clock();
    for (int i = 0; i < 60; ++i) Flip(-1);
    EXPECT_EQ(headless::Clock() - start, 1000u);
    const std::vector<std::uint32_t>& frame = headless::LastFrame();
    ASSERT_EQ(frame.size(), 640u * 480u);
    EXPECT_EQ(frame[0], 0xFF0A141Eu);
    EXPECT_EQ(frame[4 * 640 + 3], 0xFFABCDEFu);
}

}  // namespace
