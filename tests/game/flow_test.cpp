// flow_test.cpp -- the realm advance the remote button asks for, and the one
// list of what moves in a frame, playing and dying.
#include "game/flow.hpp"

#include "fx/dust.hpp"
#include "fx/points.hpp"
#include "game_fixture.hpp"
#include "services/input/input.hpp"
#include "services/system/random.hpp"

namespace {

class FlowTest : public GameTest {
   protected:
    void SetUp() override {
        GameTest::SetUp();
        SeedRandom(4242);
        player_tag::reset(1);
        play_phase = PHASE_PLAYING;
        sounds().clear();
    }
};

TEST_F(FlowTest, TheRemoteAdvancesTheRealmWithItsBonusAndTenMoreDropsOfEach) {
    headless::AttachJoystick(true);
    for (int realm = 1; realm <= 2; ++realm) {
        player->rpieces = 0;
        player->beer = 7;
        player->state = PLAYER_LEFT;
        if (realm == 1) press(KEY_LCONTROL);
        headless::SetJoyButton(0, realm == 2);
        world_step_playing();
        EXPECT_EQ(player->level, realm + 1);
        EXPECT_EQ(pit_count, 20 + 10 * realm);
        EXPECT_EQ(brick_count, 40 + 10 * realm);
        EXPECT_EQ(player->rpieces, 5);
        EXPECT_EQ(player->state, PLAYER_STANDING);
        EXPECT_EQ(player->beer, 7);
    }
    EXPECT_EQ(player->score, 250 + 500);
    EXPECT_EQ(player->glass, 3);
    EXPECT_EQ(sounds(), (Texts{"button", "oh_no", "button", "oh_no"}));
}

TEST_F(FlowTest, WhileBodgerDiesTheTimerCountsAndThePopupsStandStill) {
    points_tag::set(320, 240, "+50");
    dust_tag::set(100, 200);
    const float popup_alpha = points_list.ObjectEnumerator().NextObject()->alpha;
    const float dust_alpha = dust_list.ObjectEnumerator().NextObject()->al;
    phase_timer = 7;
    world_step_dying();
    EXPECT_EQ(phase_timer, 8);
    EXPECT_EQ(points_list.ObjectEnumerator().NextObject()->alpha, popup_alpha);
    EXPECT_LT(dust_list.ObjectEnumerator().NextObject()->al, dust_alpha);

    world_step_playing();
    EXPECT_EQ(phase_timer, 8);
    EXPECT_LT(points_list.ObjectEnumerator().NextObject()->alpha, popup_alpha);
}

}  // namespace
