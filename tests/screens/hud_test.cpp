// hud_test.cpp -- the number format, the stock rows and the title screen's HUD.
#include "screens/hud.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using HudTest = ScreenTest;

TEST(HudNumber, OneLeadingZeroBelowTen) {
    EXPECT_EQ(hud_number("Score: ", 0), "Score: 00");
    EXPECT_EQ(hud_number("Score: ", 10), "Score: 10");
}

TEST_F(HudTest, RowsStopAtEighteenIconsAndTheTitleGetsTheTextsOnly) {
    player->beer = player->glass = 25;
    player->rpieces = 5;
    hud_frame();
    EXPECT_EQ(pixel(261, 465), tile_colour(FRAME_BEER_ICON)) << "the 18th beer, centred on 246";
    EXPECT_NE(pixel(262, 465), tile_colour(FRAME_BEER_ICON));
    EXPECT_EQ(pixel(376, 465), tile_colour(FRAME_GLASS_ICON)) << "the 18th plate, centred on 392";
    EXPECT_NE(pixel(375, 465), tile_colour(FRAME_GLASS_ICON));
    EXPECT_EQ(pixel(320, 457), tile_colour(FRAME_REMOTE_OUTLINE)) << "the outline alone";

    game_state = STATE_TITLE;
    Cls();
    hud_frame();
    EXPECT_GT(lit(0, 0, 640, 32), 0);
    EXPECT_EQ(lit(0, 32, 640, 480), 0);
}

}  // namespace
