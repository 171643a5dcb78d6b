// options_test.cpp -- the option steps and their single-precision volumes.
#include "resources/options.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"

namespace {

class OptionsTest : public ::testing::Test {
   protected:
    void SetUp() override { reset_globals(); }
    void TearDown() override { reset_globals(); }
};

TEST_F(OptionsTest, ScanLinesToggle) {
    toggle_retro_fx();
    EXPECT_EQ(retro_fx, 1);
    toggle_retro_fx();
    EXPECT_EQ(retro_fx, 0);
}

TEST_F(OptionsTest, VolumesWrapToOffThenClimbByAddition) {
    step_sound_volume();
    EXPECT_EQ(sound_level, 0);
    EXPECT_EQ(sound_volume, 0.0f);
    step_sound_volume();
    EXPECT_EQ(sound_level, 1);
    EXPECT_EQ(sound_volume, 0.1f);
    for (int i = 0; i < 9; ++i) step_sound_volume();
    EXPECT_EQ(sound_level, 10);
    EXPECT_EQ(sound_volume, 1.0000001f);
    EXPECT_NE(sound_volume, 1.0f);
}

TEST_F(OptionsTest, MusicStepsTheSameWay) {
    // The option only steps; the menu applies it to the music channel.
    for (int i = 0; i < 11; ++i) step_music_volume();
    EXPECT_EQ(music_level, 10);
    EXPECT_EQ(music_volume, 1.0000001f);
    EXPECT_EQ(sound_level, 10);
    EXPECT_EQ(sound_volume, 1.0f);
}

}  // namespace
