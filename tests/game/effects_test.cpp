// The effect families: lifetimes in single precision, draws from the random
// stream, and the star field frozen by the pause menu.
#include "assets/embedded.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "fx/stars.hpp"
#include "game/flow.hpp"
#include "game_fixture.hpp"
#include "screens/frame.hpp"
#include "services/graphics/font.hpp"
#include "services/system/random.hpp"

namespace {

class EffectsTest : public GameTest {};

// Frames of update_all until the family's list is empty.
template <typename List, typename Step>
int lifetime(List& list, Step update_all) {
    int frames = 0;
    for (; !list.IsEmpty() && frames < 1000; ++frames) update_all();
    return frames;
}

TEST_F(EffectsTest, LifetimesFollowSinglePrecisionSteps) {
    dust_tag::set(100, 200);
    ASSERT_EQ(dust_list.Count(), 11u);
    auto first = dust_list.ObjectEnumerator().NextObject();
    EXPECT_EQ(first->x, 100.0f);
    EXPECT_EQ(first->y, 184.0f);  // angle 0 is straight up
    // 1.0f less 0.02f fifty times is still just above 0: one more frame is drawn.
    EXPECT_EQ(lifetime(dust_list, dust_tag::update_all), 51);

    flame_tag::create_it(300, 1);  // above the top after its first rise
    EXPECT_EQ(lifetime(flame_list, flame_tag::update_all), 1);
    flame_tag::create_it(300, 400);
    const int flame = lifetime(flame_list, flame_tag::update_all);
    EXPECT_GE(flame, 40 + 1);
    EXPECT_LE(flame, 101 + 31);

    brick_tag::set(100, 470);
    EXPECT_EQ(brick_list.Count(), 10u);
    EXPECT_GT(lifetime(brick_list, [] { brick_tag::update_all(40, 40, 40); }),
              40);  // thrown up before falling off
}

TEST_F(EffectsTest, APopupIsCentredAndDrawsThreeNumbersForEachOfItsFrames) {
    register_embedded_assets();
    game_font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    ASSERT_TRUE(game_font);
    SetCurrentFont(game_font);
    points_tag::set(320, 240, "+0");
    points_tag::set(320, 240, "Remote Piece!");
    auto walk = points_list.ObjectEnumerator();
    auto short_one = walk.NextObject();
    auto long_one = walk.NextObject();
    EXPECT_EQ(short_one->x, int(320 - StringWidth("+0") / 2 * 0.5));
    EXPECT_LT(long_one->x, short_one->x);

    SetRandomState(777);
    const int frames = lifetime(points_list, points_tag::update_all);
    const auto after = RandomState();
    SetRandomState(777);
    for (int n = 0; n < 2 * 3 * 101; ++n) rnd(150, 255);
    EXPECT_EQ(frames, 101);  // 1.0f less 0.01f a hundred times is still above 0
    EXPECT_EQ(RandomState(), after);
    EXPECT_EQ(short_one->y, 240 - 101);
}

TEST_F(EffectsTest, StarsScrollInFourLayersAndStandStillInThePauseMenu) {
    star_tag::create_em();
    EXPECT_EQ(stars[0]->spd, 8);
    EXPECT_EQ(stars[25]->spd, 6);
    EXPECT_EQ(stars[74]->spd, 4);
    EXPECT_EQ(stars[99]->spd, 2);
    const int x = stars[0]->x;
    pause_image = NewImage(640, 480, 1);
    game_state = STATE_PAUSE;
    begin_frame();
    EXPECT_EQ(stars[0]->x, x);
    game_state = STATE_PLAY;
    begin_frame();
    EXPECT_EQ(stars[0]->x, x - 8);
    stars[0]->x = -10;
    star_tag::update_all();
    EXPECT_EQ(stars[0]->x, 656);
}

}  // namespace
