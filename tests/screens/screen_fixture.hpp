// screen_fixture.hpp -- a headless display with the globals start-up would
// make, test art whose every tile frame is one known colour, and a log of
// the sounds started.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "services/audio/sound.hpp"

class ScreenTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

   public:
    static std::uint32_t tile_colour(int frame);     // the solid colour of tiles frame 0..90
    static std::uint32_t pixel(int x, int y);        // back-buffer pixel, alpha stripped
    static int lit(int x0, int y0, int x1, int y1);  // non-black pixels in [x0,x1) x [y0,y1)
    static void blank_tile(int frame);               // makes that frame fully transparent

    static void key_press(int code);     // down and up before the next query: one hit
    static void click_at(int x, int y);  // pointer moves there, then one left click

    static ChannelRef playing_music();  // a looping channel that is Playing

   protected:
    std::vector<std::string> sounds;  // base names of the sounds started, in order
    static std::vector<std::string>* log_;
};
