// Bodger's step, animation, controls, the realm advance and the input flush.
#include "game_fixture.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/system/random.hpp"

namespace {

class PlayerTest : public GameTest {
   protected:
    void SetUp() override {
        GameTest::SetUp();
        SeedRandom(4242);
        player_tag::reset(1);
        sounds().clear();
    }

    // Runs frames of the player alone: controls, then the step.
    static void run(int frames) {
        for (int f = 0; f < frames; ++f) {
            player->get_inputs();
            player->update();
        }
    }
};

TEST_F(PlayerTest, ANewGameStartsStandingOnAFreeFloorCell) {
    EXPECT_EQ(game_state, STATE_PLAY);
    EXPECT_EQ(play_phase, PHASE_INTRO);
    EXPECT_EQ(player->level, 1);
    EXPECT_EQ(player->lives, 1);
    EXPECT_EQ(player->beer, 3);
    EXPECT_EQ(player->glass, 3);
    EXPECT_EQ(player->rpieces, 5);
    EXPECT_EQ(remote_msg_alpha, 1.0f);
    EXPECT_EQ(pit_count, 20);
    EXPECT_EQ(brick_count, 40);
    const int i = (int(player->y) - 48) / 32 * 20 + (int(player->x) - 16) / 32;
    EXPECT_EQ(cell(i).tile1, TILE_FLOOR);
    EXPECT_EQ(cell(i).tile2, 0);
}

TEST_F(PlayerTest, WalkingOffAnEdgeComesBackOnTheOtherSide) {
    struct Case {
        float x, y;
        int state;
        float to_x, to_y;
    };
    for (const Case& c :
         {Case{16, 112, PLAYER_LEFT, 624, 112}, Case{624, 112, PLAYER_RIGHT, 16, 112},
          Case{80, 48, PLAYER_UP, 80, 432}, Case{80, 432, PLAYER_DOWN, 80, 48}}) {
        SCOPED_TRACE(c.state);
        player->x = c.x;
        player->y = c.y;
        player->state = c.state;
        player->a_tmr = 19;
        player->update();
        EXPECT_EQ(player->x, c.to_x);
        EXPECT_EQ(player->y, c.to_y);
    }
}

TEST_F(PlayerTest, LaterDirectionsWinWithinOneFrameAndOnlyAFullStickCounts) {
    press(KEY_LEFT);
    press(KEY_RIGHT);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_RIGHT);

    press(KEY_LEFT);
    press(KEY_UP);
    press(KEY_RIGHT);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_UP);

    player->get_inputs();  // the keys were hits, not holds
    EXPECT_EQ(player->state, PLAYER_UP);

    headless::AttachJoystick(true);
    headless::SetJoyAxis(1, 0.99f);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_UP);
    headless::SetJoyAxis(1, 1.0f);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_DOWN);
    headless::SetJoyAxis(0, -1.0f);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_DOWN) << "the y axis is tested after the x axis";
}

TEST_F(PlayerTest, StepsEveryTwentyFramesWithAFootstepEach) {
    const float x = player->x;
    run(60);
    EXPECT_TRUE(sounds().empty()) << "no footsteps while standing";

    player->a_tmr = 0;
    player->a_ctr = 0;
    press(KEY_RIGHT);
    std::vector<int> shown;
    for (int f = 0; f < 60; ++f) {
        run(1);
        if (player->a_tmr == 0) shown.push_back(player->frame + player->a_ctr);
    }
    EXPECT_EQ(sounds(), (Sounds{"footstep", "footstep", "footstep"}));
    EXPECT_EQ(shown, (std::vector<int>{73, 72, 73}));
    float expect_x = x;
    for (int step = 0; step < 3; ++step) expect_x = expect_x + 32 > 624 ? 16 : expect_x + 32;
    EXPECT_EQ(player->x, expect_x);
}

TEST_F(PlayerTest, StandingCyclesThroughTheIdleFrames) {
    player->a_ctr = 0;
    player->a_tmr = 0;
    std::vector<int> shown;
    for (int f = 0; f < 2 * 340; ++f) {
        player->update();
        if (player->a_tmr == 0) shown.push_back(player->frame);
    }
    std::vector<int> cycle;
    for (int k = 0; k < 2; ++k) {
        for (int i = 1; i <= 17; ++i) cycle.push_back(idle_frames[i]);
    }
    EXPECT_EQ(shown, cycle);
}

TEST_F(PlayerTest, TheRemoteButtonNeedsEveryPieceAndIsNotRemembered) {
    player->rpieces = 1;
    press(KEY_LCONTROL);
    player->get_inputs();
    player->rpieces = 0;
    player->get_inputs();
    EXPECT_EQ(player->level, 1);
    EXPECT_EQ(player->score, 0);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(PlayerTest, TheRealmAdvanceScoresRaisesTheCountsAndKeepsTheStocks) {
    for (int realm = 1; realm <= 2; ++realm) {
        player->rpieces = 0;
        player->beer = 7;
        player->glass = 1;
        player->state = PLAYER_LEFT;
        const int score = player->score;
        if (realm == 1) {
            press(KEY_LCONTROL);
        } else {
            headless::AttachJoystick(true);
            headless::SetJoyButton(0, true);
        }
        player->get_inputs();
        EXPECT_EQ(player->score, score + 250 * realm);
        EXPECT_EQ(player->level, realm + 1);
        EXPECT_EQ(pit_count, 20 + 10 * realm);
        EXPECT_EQ(brick_count, 40 + 10 * realm);
        EXPECT_EQ(player->rpieces, 5);
        EXPECT_EQ(player->state, PLAYER_STANDING);
        EXPECT_EQ(player->beer, 7);
        EXPECT_EQ(player->glass, 1);
    }
    EXPECT_EQ(sounds(), (Sounds{"button", "oh_no", "button", "oh_no"}));
}

TEST_F(PlayerTest, FlushingWaitsWhileAButtonIsHeldAndThenReturns) {
    headless::AttachJoystick(true);
    headless::SetJoyButton(1, true);
    press(KEY_SPACE);
    int waits = 0;
    headless::SetWaitHandler([&waits] {
        if (++waits == 3) headless::SetJoyButton(1, false);
        return true;
    });
    player->flush_inputs();
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 0);
    EXPECT_EQ(JoyHitCount(1), 0);

    waits = 0;
    headless::SetWaitHandler([&waits] {
        ++waits;
        headless::PushEvent({platform::EventType::MouseUp, 1});
        return true;
    });
    headless::PushEvent({platform::EventType::MouseDown, 1});
    player->flush_inputs();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(MouseHitCount(1), 0);
}

}  // namespace
