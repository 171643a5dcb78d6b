// Bodger's step and animation, the controls and the flush.
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
        player->x = 80;
        player->y = 112;
        sounds().clear();
    }
    // Frames of the player alone; the frames shown at each tick.
    static std::vector<int> run(int frames) {
        std::vector<int> shown;
        for (int f = 0; f < frames; ++f) {
            player->get_inputs();
            player->update();
            if (player->a_tmr == 0)
                shown.push_back(player->frame + (player->state ? player->a_ctr : 0));
        }
        return shown;
    }
};

TEST_F(PlayerTest, WalkingOffAnEdgeComesBackOnTheOtherSide) {
    struct Case {
        float x, y;
        int state;
        float to_x, to_y;
    } cases[] = {{16, 112, PLAYER_LEFT, 624, 112},
                 {624, 112, PLAYER_RIGHT, 16, 112},
                 {80, 48, PLAYER_UP, 80, 432},
                 {80, 432, PLAYER_DOWN, 80, 48}};
    for (const Case& c : cases) {
        player->x = c.x;
        player->y = c.y;
        player->state = c.state;
        player->a_tmr = 19;
        player->update();
        EXPECT_EQ(player->x, c.to_x) << c.state;
        EXPECT_EQ(player->y, c.to_y) << c.state;
    }
}

TEST_F(PlayerTest, StandingCyclesTheIdleFramesAndWalkingStepsWithFootsteps) {
    player->a_ctr = player->a_tmr = 0;
    std::vector<int> cycle;
    for (int i = 1; i <= 17; ++i) cycle.push_back(idle_frames[i]);
    EXPECT_EQ(run(340), cycle);
    EXPECT_TRUE(sounds().empty());

    press(KEY_RIGHT);
    EXPECT_EQ(run(60), (std::vector<int>{FRAME_WALKING_RIGHT + 1, FRAME_WALKING_RIGHT,
                                         FRAME_WALKING_RIGHT + 1}));
    EXPECT_EQ(player->x, 80 + 96);
    EXPECT_EQ(sounds(), (Texts{"footstep", "footstep", "footstep"}));
}

TEST_F(PlayerTest, LaterDirectionsWinWithinAFrameAndOnlyAFullStickCounts) {
    press(KEY_LEFT);
    press(KEY_RIGHT);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_RIGHT);
    press(KEY_LEFT);
    press(KEY_UP);
    press(KEY_RIGHT);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_UP);

    headless::AttachJoystick(true);
    headless::SetJoyAxis(0, -0.99f);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_UP);
    headless::SetJoyAxis(0, -1.0f);
    player->get_inputs();
    EXPECT_EQ(player->state, PLAYER_LEFT);
}

TEST_F(PlayerTest, TheRemoteButtonAsksForTheNextRealmOnlyWithEveryPiece) {
    player->rpieces = 1;
    press(KEY_LCONTROL);
    EXPECT_EQ(player->get_inputs(), 0);
    player->rpieces = 0;
    EXPECT_EQ(player->get_inputs(), 0) << "the press while a piece was missing is gone";
    press(KEY_LCONTROL);
    EXPECT_EQ(player->get_inputs(), 1);
    headless::AttachJoystick(true);
    headless::SetJoyButton(0, true);
    EXPECT_EQ(player->get_inputs(), 1);
    EXPECT_EQ(player->level, 1) << "the game's flow builds the realm";
    EXPECT_TRUE(sounds().empty());
}

// A regression here spins for ever: the held button is released only by a wait.
TEST_F(PlayerTest, FlushingWaitsWhileAButtonIsHeldAndThenReturns) {
    headless::AttachJoystick(true);
    headless::SetJoyButton(1, true);
    press(KEY_SPACE);
    int waits = 0;
    headless::SetWaitHandler([&waits] {
        if (++waits == 3) headless::SetJoyButton(1, false);
        headless::PushEvent({platform::EventType::MouseUp, 1});
        return true;
    });
    player->flush_inputs();
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(KeyHitCount(KEY_SPACE), 0);
    EXPECT_EQ(JoyHitCount(1), 0);

    waits = 0;
    headless::PushEvent({platform::EventType::MouseDown, 1});
    player->flush_inputs();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(MouseHitCount(1), 0);
}

}  // namespace
