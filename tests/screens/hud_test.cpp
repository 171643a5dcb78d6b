// hud_test.cpp -- the number format, the stock rows and what the title
// screen leaves out.
#include "screens/hud.hpp"

#include <gtest/gtest.h>

#include "app/globals.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "tests/screens/screen_fixture.hpp"

namespace {

using HudTest = ScreenTest;

TEST(HudNumber, OneLeadingZeroBelowTen) {
    EXPECT_EQ(hud_number("Score: ", 0), "Score: 00");
    EXPECT_EQ(hud_number("Score: ", 5), "Score: 05");
    EXPECT_EQ(hud_number("Score: ", 9), "Score: 09");
    EXPECT_EQ(hud_number("Score: ", 10), "Score: 10");
    EXPECT_EQ(hud_number("Score: ", 1250), "Score: 1250");
    EXPECT_EQ(hud_number("Realm: ", 3), "Realm: 03");
}

TEST_F(HudTest, StockRowsStopAtEighteenIcons) {
    player->beer = 25;
    player->glass = 25;
    player->rpieces = 5;
    hud_frame();
    const std::uint32_t beer = tile_colour(39) & 0xFFFFFF, glass = tile_colour(40) & 0xFFFFFF;
    EXPECT_EQ(pixel(261, 465), beer) << "the 18th beer, centred on 246";
    EXPECT_NE(pixel(262, 465), beer);
    EXPECT_EQ(pixel(376, 465), glass) << "the 18th plate, centred on 392";
    EXPECT_NE(pixel(375, 465), glass);
}

TEST_F(HudTest, EmptyStocksAndMissingPiecesDrawOnlyTheOutline) {
    player->rpieces = 5;
    hud_frame();
    EXPECT_NE(pixel(8, 465), tile_colour(39) & 0xFFFFFF);
    EXPECT_NE(pixel(630, 465), tile_colour(40) & 0xFFFFFF);
    EXPECT_EQ(pixel(320, 457), tile_colour(41) & 0xFFFFFF);
    player->rpieces = 4;
    player->remote[2] = 48;
    hud_frame();
    EXPECT_EQ(pixel(320, 457), tile_colour(48) & 0xFFFFFF);
}

TEST_F(HudTest, TitleScreenGetsTheThreeTextsOnly) {
    player->beer = player->glass = 3;
    game_state = STATE_TITLE;
    hud_frame();
    EXPECT_GT(lit(0, 0, 640, 32), 0);
    EXPECT_EQ(lit(0, 32, 640, 480), 0);
    game_state = STATE_GAME_OVER;
    hud_frame();
    EXPECT_GT(lit(0, 425, 640, 480), 0);
}

}  // namespace
