// player.hpp -- Bodger: his record, movement, controls and the input flush.
#pragma once

#include <array>
#include <memory>

struct player_tag {
    int score = 0;
    int best_sc = 0;  // best score, kept in data\hiscore.dat
    int new_bs = 0;   // 1 once this game has beaten the best score
    int lives = 0;
    int level = 0;                  // the realm number
    int state = 0;                  // 0 standing, 1..4 walking left/right/up/down, 5..9 death codes
    float x = 0, y = 0;             // cell centre, 16..624 and 48..432
    float rotation = 0, scale = 0;  // kept at 0
    int frame = 0;                  // base sprite frame of the figure
    int a_tmr = 0;                  // frames since the last step or idle tick, 0..19
    int a_ctr = 0;                  // idle 0..17, walking 0 or 1
    int beer = 0;                   // each smashes one brick
    int glass = 0;                  // each bridges one pit
    std::array<int, 5> remote{};    // per piece: 0 missing, else the frame the HUD draws
    int rpieces = 0;                // pieces still missing; at 0 the remote button works

    // Acts on the global player: a new game (1) or the next realm (0), then a
    // new level.  Defined with the transitions it makes, in game/flow.cpp.
    static int reset(int new_game);
    int update();
    // The four directions, then the remote button: 1 when it asks for the next
    // realm (every piece found), which the game's flow then builds; else 0.
    int get_inputs();
    int flush_inputs();
};

enum : int {
    PLAYER_STANDING = 0,
    PLAYER_LEFT = 1,
    PLAYER_RIGHT = 2,
    PLAYER_UP = 3,
    PLAYER_DOWN = 4,
    DEATH_BRICK = 5,
    DEATH_PIT = 6,
    DEATH_SHOT = 7,
    DEATH_FALLING = 8,
    DEATH_TRAP_DOOR = 9,
};

extern std::shared_ptr<player_tag> player;
extern const std::array<int, 18> idle_frames;  // the standing figure's frame per idle tick
extern float remote_msg_alpha;  // alpha of "Quick, Press The Remote Button!", set by reset

// Joystick readings that count as a direction (compared exactly).
inline constexpr float joy_left = -1.0f, joy_right = 1.0f, joy_up = -1.0f, joy_down = 1.0f;

inline constexpr int kStepFrames = 20;  // frames per cell walked, and per idle tick

void reset_player();  // no player, the prompt's alpha 0
