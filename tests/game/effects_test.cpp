// The effect families: how long each lives, what it draws from the random
// stream, removal in the middle of a walk, and the star field.
#include "assets/embedded.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "fx/stars.hpp"
#include "game_fixture.hpp"
#include "services/graphics/font.hpp"
#include "services/system/random.hpp"

namespace {

class EffectsTest : public GameTest {};

// Frames until the family's list is empty, at most `limit`.
template <typename Family, typename List>
int lifetime(List& list, int limit = 1000) {
    int frames = 0;
    while (!list.IsEmpty() && frames < limit) {
        Family::update_all();
        ++frames;
    }
    return frames;
}

TEST_F(EffectsTest, ADustRingIsElevenPuffsForFiftyOneDrawnFrames) {
    dust_tag::set(100, 200);
    ASSERT_EQ(dust_list.Count(), 11u);
    auto walk = dust_list.ObjectEnumerator();
    auto first = walk.NextObject();
    std::shared_ptr<dust_tag> last;
    while (walk.HasNext()) last = walk.NextObject();
    EXPECT_FLOAT_EQ(first->x, 100);
    EXPECT_FLOAT_EQ(first->y, 184);  // angle 0 is straight up
    EXPECT_FLOAT_EQ(last->x, first->x);
    EXPECT_FLOAT_EQ(last->y, first->y);
    // 1.0 less 0.02 in single precision is still just above 0 after 50 frames.
    EXPECT_EQ(lifetime<dust_tag>(dust_list), 51);
}

TEST_F(EffectsTest, FlamesAboveTheTopGoAfterOneDrawAndOthersTurnToSmoke) {
    flame_tag::create_it(300, 1);
    EXPECT_EQ(lifetime<flame_tag>(flame_list), 1);

    flame_tag::create_it(300, 400);
    auto flame = flame_list.ObjectEnumerator().NextObject();
    EXPECT_GE(flame->x, 298);
    EXPECT_LT(flame->x, 302);
    EXPECT_GT(flame->y, 394);
    EXPECT_LE(flame->y, 398);
    int as_flame = 0;
    while (!flame_list.IsEmpty() && flame->frame == 7) {
        flame_tag::update_all();
        ++as_flame;
    }
    EXPECT_GE(as_flame, 40);
    EXPECT_LE(as_flame, 101);
    const int as_smoke = lifetime<flame_tag>(flame_list);
    EXPECT_GE(as_smoke, 1);
    EXPECT_LE(as_smoke, 31);
}

TEST_F(EffectsTest, APopupLivesAHundredFramesDrawingThreeNumbersEach) {
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
    EXPECT_EQ(long_one->y, 240);

    SetRandomState(777);
    points_tag::update_all();
    const auto after = RandomState();
    SetRandomState(777);
    for (int n = 0; n < 6; ++n) rnd(150, 255);
    EXPECT_EQ(RandomState(), after);
    EXPECT_EQ(short_one->y, 239);
    EXPECT_GE(short_one->r, 150);
    EXPECT_LE(short_one->r, 254);
    // 1.0 less 0.01 in single precision is still just above 0 after 100 frames.
    EXPECT_EQ(1 + lifetime<points_tag>(points_list), 101);
}

TEST_F(EffectsTest, BrickPiecesFallOffTheBottomAndExplosionsFadeWhereTheyAre) {
    level_r = level_g = level_b = 40;
    brick_tag::set(100, 470);
    EXPECT_EQ(brick_list.Count(), 10u);
    const int frames = lifetime<brick_tag>(brick_list);
    EXPECT_GT(frames, 40);  // thrown up at 2 to 4 pixels a frame first
    EXPECT_LT(frames, 120);

    explode_tag::set(100, 100);
    EXPECT_EQ(explode_list.Count(), 31u);
    auto spark = explode_list.ObjectEnumerator().NextObject();
    const float x = spark->x, y = spark->y;
    explode_tag::update_all();
    EXPECT_EQ(spark->x, x);
    EXPECT_EQ(spark->y, y);
    const int rest = lifetime<explode_tag>(explode_list);
    EXPECT_GE(1 + rest, 13);
    EXPECT_LE(1 + rest, 51);
}

TEST_F(EffectsTest, ObjectsLeavingMidWalkDoNotDisturbTheWalk) {
    flame_tag::create_it(100, 300);
    flame_tag::create_it(100, 1);  // leaves on its first update
    flame_tag::create_it(100, 1);
    flame_tag::create_it(200, 300);
    std::vector<float> before;
    for (auto walk = flame_list.ObjectEnumerator(); walk.HasNext();) {
        before.push_back(walk.NextObject()->y);
    }
    flame_tag::update_all();
    ASSERT_EQ(flame_list.Count(), 2u);
    auto walk = flame_list.ObjectEnumerator();
    EXPECT_LT(walk.NextObject()->y, before[0]);
    EXPECT_LT(walk.NextObject()->y, before[3]);

    brick_tag::set(1, 1);
    dust_tag::set(1, 1);
    explode_tag::set(1, 1);
    points_tag::set(1, 1, "x");
    flame_tag::destroy_all();
    brick_tag::destroy_all();
    dust_tag::destroy_all();
    explode_tag::destroy_all();
    points_tag::destroy_all();
    EXPECT_TRUE(flame_list.IsEmpty() && brick_list.IsEmpty() && dust_list.IsEmpty() &&
                explode_list.IsEmpty() && points_list.IsEmpty());
}

TEST_F(EffectsTest, StarsScrollInFourLayersAndStandStillInThePauseMenu) {
    star_tag::create_em();
    EXPECT_EQ(stars[0]->spd, 8);
    EXPECT_EQ(stars[25]->spd, 6);
    EXPECT_EQ(stars[74]->spd, 4);
    EXPECT_EQ(stars[99]->spd, 2);
    EXPECT_FLOAT_EQ(stars[99]->sc, 0.2f);

    game_state = STATE_PAUSE;
    const int x = stars[0]->x;
    const auto state = RandomState();
    star_tag::update_all();
    EXPECT_EQ(stars[0]->x, x);
    EXPECT_EQ(RandomState(), state);

    game_state = STATE_PLAY;
    star_tag::update_all();
    EXPECT_EQ(stars[0]->x, x - 8);
    stars[0]->x = -10;
    star_tag::update_all();
    EXPECT_EQ(stars[0]->x, 656);
    EXPECT_GE(stars[0]->y, 0);
    EXPECT_LT(stars[0]->y, 480);
}

}  // namespace
