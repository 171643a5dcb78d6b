// screen_fixture.hpp -- a headless display with the globals start-up makes,
// tile frames that are each one known solid colour, and the sounds started.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class ScreenTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

   public:
    static std::uint32_t tile_colour(int frame);     // RGB of tiles frame 0..90
    static std::uint32_t pixel(int x, int y);        // RGB of the back buffer
    static int lit(int x0, int y0, int x1, int y1);  // non-black pixels in [x0,x1) x [y0,y1)
    static void key_press(int code);                 // one hit for the next query
    static void click_at(int x, int y);              // pointer moves there, one left click

    std::vector<std::string> sounds;  // names of the sounds started, in order
};
